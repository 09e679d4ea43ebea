# SOURCE_DATE_EPOCH, the time every packaged file is dated at, for a packaging step that
# runs without it: the last commit's time, or out of git the date of the changelog's
# latest entry (as dpkg takes it), so that two builds of one commit give the same bytes.
# Included by the packaging scripts with VELLUMFALL_SOURCE_DIR set.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C ${VELLUMFALL_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT epoch MATCHES "^[0-9]+$")
        file(STRINGS ${VELLUMFALL_SOURCE_DIR}/debian/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
        string(REGEX REPLACE "^ -- .*>  " "" date "${trailer}")
        execute_process(COMMAND date -d "${date}" +%s
                        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(NOT epoch MATCHES "^[0-9]+$")
        message(FATAL_ERROR "No date for the packaged files: set SOURCE_DATE_EPOCH")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
