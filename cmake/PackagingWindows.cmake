# A zip for Windows players with CPack: the game, a README.txt and the licence, in one
# folder named after the version.
#
#   cpack --config build-windows/CPackConfig.cmake -B OUT   OUT/vellumfall-VERSION-win64.zip

set(windows_packaging_dir ${PROJECT_SOURCE_DIR}/packaging/windows)

# Notepad before Windows 10 shows a file without "\r\n" as one long line.
configure_file(${windows_packaging_dir}/README.txt ${PROJECT_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)

install(TARGETS vellumfall RUNTIME DESTINATION .)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
# Windows opens a file by its extension.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Vellumfall developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
# Unzipped, the files land in a folder of their own rather than among the player's.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)

include(CPack)
