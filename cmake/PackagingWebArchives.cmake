# Packs the web build's site and npm package (see PackagingWeb.cmake) so that the same
# commit gives the same bytes: every file dated at SOURCE_DATE_EPOCH, owned by root, with
# the modes a umask of 022 gives, in the order of their names, gzip without a name or time.
# Usage: cmake -DSOURCE_DIR=.. -DBINARY_DIR=.. -DVERSION=.. -DNPM=.. -DTAR=.. -DGZIP=..
#              -P PackagingWebArchives.cmake
set(VELLUMFALL_SOURCE_DIR ${SOURCE_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/PackagingSourceDate.cmake)

foreach(folder site npm)
    file(CHMOD_RECURSE ${BINARY_DIR}/${folder}
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
         DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                               WORLD_READ WORLD_EXECUTE)
endforeach()
file(CHMOD ${BINARY_DIR}/npm/bin/vellumfall.js
     PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)

set(site_archive ${BINARY_DIR}/vellumfall-${VERSION}-site.tar.gz)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
            ${TAR} --create --file=- --directory=${BINARY_DIR} --format=gnu --sort=name
                   --owner=0 --group=0 --numeric-owner --mtime=@$ENV{SOURCE_DATE_EPOCH}
                   --transform=s,^site,vellumfall-${VERSION}-site, site
    COMMAND ${GZIP} -9 --no-name
    OUTPUT_FILE ${site_archive}.new
    RESULTS_VARIABLE statuses)
if(NOT statuses MATCHES "^0;0$")
    message(FATAL_ERROR "Could not pack the site (tar, gzip: ${statuses})")
endif()
file(RENAME ${site_archive}.new ${site_archive})

# npm dates every file itself; its cache, where it also writes its logs, is the build's.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env npm_config_cache=${BINARY_DIR}/npm-cache
            npm_config_update_notifier=false
            ${NPM} pack --silent --pack-destination ${BINARY_DIR}
    WORKING_DIRECTORY ${BINARY_DIR}/npm
    OUTPUT_QUIET
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "npm pack failed with status ${status}")
endif()
