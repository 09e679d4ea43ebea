# The site's files made at build time, once the module is in site/: the icons a phone
# installs the page with, drawn from the package's SVG icon, and the service worker,
# which must know every other file.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(web_icon ${PROJECT_SOURCE_DIR}/packaging/vellumfall.svg)
configure_file(${web_icon} ${site}/vellumfall.svg COPYONLY)
set(web_icons "")
foreach(size 192 512)
    add_custom_command(
        OUTPUT ${site}/icon-${size}.png
        COMMAND ${RSVG_CONVERT} --width ${size} --height ${size}
                --output ${site}/icon-${size}.png ${web_icon}
        DEPENDS ${web_icon}
        VERBATIM)
    list(APPEND web_icons ${site}/icon-${size}.png)
endforeach()
add_custom_target(site ALL
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DTEMPLATE=${web_source}/sw.js.in
            -P ${PROJECT_SOURCE_DIR}/cmake/ServiceWorker.cmake
    DEPENDS ${web_icons} ${web_source}/sw.js.in
    COMMENT "Writing the site's service worker"
    VERBATIM)
add_dependencies(site vellumfall)
