# Writes the site's service worker, sw.js, from its template: it lists every other file
# of the site with the hash of its contents, and names its cache after a hash of them all,
# so that any change to the site makes a new service worker. The compressed copies are the
# host's business, not the worker's. sw.js is only rewritten when that changes.
# Usage: cmake -DSITE=SITE_DIR -DTEMPLATE=sw.js.in -P ServiceWorker.cmake
file(GLOB files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(FILTER files EXCLUDE REGEX "\\.(gz|br)$")
list(SORT files)
set(listing "")
set(quoted "")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND listing "${file} ${hash}\n")
    list(APPEND quoted "['${file}', '${hash}']")
    if(file STREQUAL "index.html")
        list(APPEND quoted "['./', '${hash}']")
    endif()
endforeach()
string(SHA256 SITE_HASH "${listing}")
string(SUBSTRING ${SITE_HASH} 0 16 SITE_HASH)
list(JOIN quoted ", " SITE_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
