# Instrumented builds. Both options apply to every target of the tree, the game library
# included, so a fault is caught where it happens rather than where it shows.

# AddressSanitizer and UndefinedBehaviorSanitizer; the first report ends the process, so
# no test can pass over one.
option(VELLUMFALL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# The libFuzzer target (clang only). The library gets coverage instrumentation and the
# same sanitizers; only the fuzz target itself links the fuzzer's main.
option(VELLUMFALL_FUZZ "Build the libFuzzer target in fuzz/ (clang)" OFF)

if(VELLUMFALL_SANITIZE OR VELLUMFALL_FUZZ)
    set(vellumfall_sanitizers -fsanitize=address,undefined)
    if(VELLUMFALL_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            message(FATAL_ERROR "VELLUMFALL_FUZZ needs clang++ (the fuzz preset selects it)")
        endif()
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
    add_compile_options(${vellumfall_sanitizers} -fno-sanitize-recover=all
                        -fno-omit-frame-pointer -g)
    add_link_options(${vellumfall_sanitizers})
endif()
