# Every target of the project builds with the same strict warnings: the set of the
# cpp-best-practices cmake_template, GCC's and clang's own, on an interface target that
# each target links privately (vellumfall_set_warnings). With VELLUMFALL_WARNINGS_AS_ERRORS
# (on in CI) any warning fails the build.
option(VELLUMFALL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

if(NOT TARGET vellumfall_warnings)
    add_library(vellumfall_warnings INTERFACE)
    target_compile_options(vellumfall_warnings INTERFACE
        -Wall
        -Wextra
        -Wpedantic
        -Wshadow
        -Wnon-virtual-dtor
        -Wold-style-cast
        -Wcast-align
        -Wunused
        -Woverloaded-virtual
        -Wconversion
        -Wsign-conversion
        # GCC 12 finds "potential" null dereferences inside libstdc++'s own inlined
        # strings and stream iterators; clang's check has no such false alarms.
        $<$<CXX_COMPILER_ID:Clang>:-Wnull-dereference>
        -Wdouble-promotion
        -Wformat=2
        -Wimplicit-fallthrough
        $<$<CXX_COMPILER_ID:GNU>:-Wmisleading-indentation>
        $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond>
        $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-branches>
        $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op>
        $<$<CXX_COMPILER_ID:GNU>:-Wuseless-cast>
        $<$<BOOL:${VELLUMFALL_WARNINGS_AS_ERRORS}>:-Werror>)
endif()

function(vellumfall_set_warnings target)
    target_link_libraries(${target} PRIVATE vellumfall_warnings)
endfunction()
