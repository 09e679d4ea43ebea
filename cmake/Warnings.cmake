# Every target of the game builds with the same strict warnings.
function(vellumfall_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion
                                             -Wsign-conversion)
endfunction()
