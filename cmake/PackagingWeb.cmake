# The web build's two artifacts, packed after every build from the site and the npm
# package it leaves in its folder:
#
#   build-web/vellumfall-VERSION-site.tar.gz   the site, in a folder vellumfall-VERSION-site/
#   build-web/vellumfall-VERSION.tgz           the npm package, as `npm pack` makes it
find_program(NPM npm REQUIRED)
find_program(TAR NAMES gtar tar REQUIRED)
find_program(GZIP gzip REQUIRED)
add_custom_target(web_packages ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${PROJECT_BINARY_DIR}
            -DVERSION=${PROJECT_VERSION} -DNPM=${NPM} -DTAR=${TAR} -DGZIP=${GZIP}
            -P ${PROJECT_SOURCE_DIR}/cmake/PackagingWebArchives.cmake
    COMMENT "Packing the site and the npm package"
    VERBATIM)
add_dependencies(web_packages site)
