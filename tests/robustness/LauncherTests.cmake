# The front-end contract, tested once for every launcher of the game: the hostile-input
# cases and the terminal transcripts, played against the command that starts the game (the
# native binary, `node .../vellumfall.js`, `wine vellumfall.exe`).
#
# vellumfall_add_launcher_tests(
#     LAUNCHER native|node|wine       the transcripts' and the cases' name for it
#     PREFIX prefix                   of the test names ("" natively, "web.", "windows.")
#     HOSTILE_INPUT program TERMINAL_TRANSCRIPT program   the two drivers
#     CASES case...                   the hostile-input cases this launcher can run
#     MAX_RESIDENT_KB kb MAX_GROWTH_KB kb   its memory bounds for the long inputs
#     [PROPERTIES property value...]  for every test
#     [TERMINAL_PROPERTIES property value...]   for the terminal transcripts
#     COMMAND command...
#     [TERMINAL_COMMAND command...])  for the terminal transcripts, if not COMMAND
# Every tests/transcripts/terminal/*.tty whose `launchers` line names the launcher is
# played; a launcher that cannot run the game on a pseudo-terminal names none.
function(vellumfall_add_launcher_tests)
    cmake_parse_arguments(PARSE_ARGV 0 arg ""
        "LAUNCHER;PREFIX;HOSTILE_INPUT;TERMINAL_TRANSCRIPT;MAX_RESIDENT_KB;MAX_GROWTH_KB"
        "CASES;PROPERTIES;TERMINAL_PROPERTIES;COMMAND;TERMINAL_COMMAND")
    if(NOT arg_TERMINAL_COMMAND)
        set(arg_TERMINAL_COMMAND ${arg_COMMAND})
    endif()
    foreach(case IN LISTS arg_CASES)
        set(test ${arg_PREFIX}robustness.${case})
        add_test(NAME ${test}
                 COMMAND ${arg_HOSTILE_INPUT} ${case} ${arg_LAUNCHER} ${arg_MAX_RESIDENT_KB}
                         ${arg_MAX_GROWTH_KB} ${arg_COMMAND})
        set_tests_properties(${test} PROPERTIES LABELS robustness TIMEOUT 180 ${arg_PROPERTIES})
    endforeach()

    file(GLOB transcripts CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../transcripts/terminal/*.tty)
    foreach(transcript IN LISTS transcripts)
        file(STRINGS ${transcript} launchers REGEX "^launchers ")
        if(NOT " ${launchers} " MATCHES " ${arg_LAUNCHER} ")
            continue()
        endif()
        get_filename_component(name ${transcript} NAME_WE)
        set(test ${arg_PREFIX}terminal.${name})
        add_test(NAME ${test}
                 COMMAND ${arg_TERMINAL_TRANSCRIPT} ${transcript} ${arg_LAUNCHER}
                         ${arg_TERMINAL_COMMAND})
        set_tests_properties(${test} PROPERTIES LABELS terminal TIMEOUT 90 ${arg_PROPERTIES}
                                                ${arg_TERMINAL_PROPERTIES})
    endforeach()
endfunction()
