# The hardening Debian builds its own packages with, for the optimised builds of the POSIX
# game: fortified C library calls, a stack protector, and a relocation table made read-only
# once the program is loaded. On vellumfall_build_flags, so on everything that links the
# game. Instrumented builds (sanitizers, fuzzing, coverage at -O0) and the Windows and web
# builds go without.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT VELLUMFALL_SANITIZE AND NOT VELLUMFALL_FUZZ)
    set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
    # Some compilers define it already; ours is the one that counts.
    target_compile_options(vellumfall_build_flags INTERFACE
        $<${optimised}:-U_FORTIFY_SOURCE> $<${optimised}:-D_FORTIFY_SOURCE=2>
        -fstack-protector-strong)
    target_link_options(vellumfall_build_flags INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
