# The site's files made at build time, once the module is in site/: the page's scripts
# that came after the list beside the module's target, the icons a phone installs the
# page with, drawn from the package's SVG icon (and a maskable one, the same drawing within
# the safe zone on a full black square), the service worker, which must know every other
# file, and a .gz and a .br beside each text and .wasm file, for hosts that serve them.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(NODE node REQUIRED)
foreach(file session.js turns.js engine.js settings.js)
    configure_file(${web_source}/${file} ${site}/${file} COPYONLY)
endforeach()
set(web_icon ${PROJECT_SOURCE_DIR}/packaging/vellumfall.svg)
configure_file(${web_icon} ${site}/vellumfall.svg COPYONLY)
file(READ ${web_icon} icon)
set(safe_zone "translate(32 32) scale(0.75) translate(-32 -32)")
string(REGEX REPLACE "<rect x=\"2\" y=\"2\" width=\"60\" height=\"60\" rx=\"8\" fill=\"#000000\"/>"
       "<rect width=\"64\" height=\"64\" fill=\"#000000\"/><g transform=\"${safe_zone}\">"
       icon "${icon}")
string(REPLACE "</svg>" "</g></svg>" icon "${icon}")
set(maskable_icon ${CMAKE_CURRENT_BINARY_DIR}/icon-maskable.svg)
file(WRITE ${maskable_icon}.new "${icon}")
configure_file(${maskable_icon}.new ${maskable_icon} COPYONLY)
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
add_custom_command(
    OUTPUT ${site}/icon-maskable-512.png
    COMMAND ${RSVG_CONVERT} --width 512 --height 512 --output ${site}/icon-maskable-512.png
            ${maskable_icon}
    DEPENDS ${maskable_icon}
    VERBATIM)
list(APPEND web_icons ${site}/icon-maskable-512.png)
add_custom_target(site ALL
    COMMAND ${CMAKE_COMMAND} -DSITE=${site} -DTEMPLATE=${web_source}/sw.js.in
            -P ${PROJECT_SOURCE_DIR}/cmake/ServiceWorker.cmake
    COMMAND ${NODE} ${PROJECT_SOURCE_DIR}/cmake/compress-site.js ${site}
    DEPENDS ${web_icons} ${web_source}/sw.js.in
    COMMENT "Writing the site's service worker and its compressed files"
    VERBATIM)
add_dependencies(site vellumfall)
