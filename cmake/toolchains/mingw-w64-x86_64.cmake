# Cross-compiles the game for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, g++-mingw-w64-x86-64-posix) and runs what it builds under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# wine keeps a whole Windows in its prefix: the build's own, never ~/.wine, however the
# tests are started. wine64 itself, where the distribution has it apart, spares the
# warning about a missing 32-bit wine; -all silences wine's own messages, and the two
# overrides stop it from offering to install .NET and a browser engine.
find_program(VELLUMFALL_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
find_program(VELLUMFALL_WINESERVER NAMES wineserver PATHS /usr/lib/wine REQUIRED)
set(VELLUMFALL_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine)
set(VELLUMFALL_WINE_ENVIRONMENT
    ${CMAKE_COMMAND} -E env WINEPREFIX=${VELLUMFALL_WINE_PREFIX} WINEDEBUG=-all
    WINEDLLOVERRIDES=mscoree,mshtml=)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELLUMFALL_WINE_ENVIRONMENT} ${VELLUMFALL_WINE})
