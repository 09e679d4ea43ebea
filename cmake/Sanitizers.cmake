# Instrumented builds, on vellumfall_build_flags: every layer of the game links it
# publicly, so the game, its front end, its tests and the fuzz target are instrumented
# alike, and a fault is caught where it happens rather than where it shows. Programs that
# do not link the game (the robustness tests' drivers) stay as they are.

# AddressSanitizer and UndefinedBehaviorSanitizer; the first report ends the process, so
# no test can pass over one.
option(VELLUMFALL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# The libFuzzer target (clang only). The game gets coverage instrumentation and the same
# sanitizers; only the fuzz targets themselves link the fuzzer's main.
option(VELLUMFALL_FUZZ "Build the libFuzzer targets in fuzz/ (clang)" OFF)

if(VELLUMFALL_SANITIZE OR VELLUMFALL_FUZZ)
    set(sanitizers -fsanitize=address,undefined)
    if(VELLUMFALL_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            message(FATAL_ERROR "VELLUMFALL_FUZZ needs clang++ (the fuzz preset selects it)")
        endif()
        target_compile_options(vellumfall_build_flags INTERFACE -fsanitize=fuzzer-no-link)
    endif()
    target_compile_options(vellumfall_build_flags INTERFACE
        ${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
    target_link_options(vellumfall_build_flags INTERFACE ${sanitizers})
endif()
