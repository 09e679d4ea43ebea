# The project's version is that of the latest entry of debian/changelog, which every
# release adds first: it is written there alone, and whatever names it takes it from
# PROJECT_VERSION. Included before project(); sets VELLUMFALL_CHANGELOG_VERSION.
# Normalised: Ninja takes two spellings of one file for two files.
get_filename_component(vellumfall_changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog ABSOLUTE)
file(STRINGS ${vellumfall_changelog} vellumfall_latest_entry LIMIT_COUNT 1)
if(NOT vellumfall_latest_entry MATCHES "^vellumfall \\(([0-9]+\\.[0-9]+\\.[0-9]+)\\) ")
    message(FATAL_ERROR "debian/changelog does not start with an entry 'vellumfall (X.Y.Z) ...'")
endif()
set(VELLUMFALL_CHANGELOG_VERSION ${CMAKE_MATCH_1})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${vellumfall_changelog})
unset(vellumfall_changelog)
unset(vellumfall_latest_entry)
