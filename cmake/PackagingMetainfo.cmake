# The AppStream metainfo software centres list the game by, with its releases taken from
# debian/changelog: each entry's version, date and items. Written at configure time, and
# again whenever the changelog or the template changes.
#
#   vellumfall_write_metainfo(OUTPUT)

function(vellumfall_write_metainfo output)
    set(changelog ${PROJECT_SOURCE_DIR}/debian/changelog)
    set(template ${PROJECT_SOURCE_DIR}/packaging/org.example.vellumfall.metainfo.xml.in)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog} ${template})

    # The changelog is cut into a list of lines, so the characters a CMake list reads
    # (";", brackets, backslashes) stand in as control characters until a line is written.
    string(ASCII 1 backslash)
    string(ASCII 2 open)
    string(ASCII 3 close)
    string(ASCII 4 semicolon)
    file(READ ${changelog} text)
    string(REPLACE "\\" "${backslash}" text "${text}")
    string(REPLACE "[" "${open}" text "${text}")
    string(REPLACE "]" "${close}" text "${text}")
    string(REPLACE ";" "${semicolon}" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")

    # An item's text as XML: the stand-ins back, and what XML reserves escaped.
    function(xml_text out line)
        string(REPLACE "${backslash}" "\\" line "${line}")
        string(REPLACE "${open}" "[" line "${line}")
        string(REPLACE "${close}" "]" line "${line}")
        string(REPLACE "${semicolon}" ";" line "${line}")
        string(REPLACE "&" "&amp;" line "${line}")
        string(REPLACE "<" "&lt;" line "${line}")
        string(REPLACE ">" "&gt;" line "${line}")
        set(${out} "${line}" PARENT_SCOPE)
    endfunction()

    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    set(releases "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^vellumfall \\(([^)]+)\\) ")
            set(version ${CMAKE_MATCH_1})
            set(items "")
        elseif(line MATCHES "^  \\* (.*)")
            xml_text(item "${CMAKE_MATCH_1}")
            if(items)
                string(APPEND items "</li>\n")
            endif()
            string(APPEND items "          <li>${item}")
        elseif(line MATCHES "^    (.*)")
            xml_text(item "${CMAKE_MATCH_1}")
            string(APPEND items " ${item}")
        elseif(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
            set(day ${CMAKE_MATCH_1})
            set(year ${CMAKE_MATCH_3})
            list(FIND months ${CMAKE_MATCH_2} month)
            math(EXPR month "${month} + 1")
            if(month LESS 10)
                set(month 0${month})
            endif()
            string(APPEND releases
                   "    <release version=\"${version}\" date=\"${year}-${month}-${day}\">\n"
                   "      <description>\n        <ul>\n${items}</li>\n"
                   "        </ul>\n      </description>\n    </release>\n")
        endif()
    endforeach()
    string(REGEX REPLACE "\n$" "" METAINFO_RELEASES "${releases}")
    configure_file(${template} ${output} @ONLY)
endfunction()
