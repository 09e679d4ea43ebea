# Builds the game to WebAssembly with whichever emscripten is installed: found from
# EMSCRIPTEN_ROOT or EMSDK when set, else from the emcc on the PATH (Debian's
# /usr/bin/emcc links to /usr/share/emscripten/emcc), whose folder holds emscripten's own
# toolchain file.
if(DEFINED ENV{EMSCRIPTEN_ROOT})
    set(emscripten_root $ENV{EMSCRIPTEN_ROOT})
elseif(DEFINED ENV{EMSDK})
    set(emscripten_root $ENV{EMSDK}/upstream/emscripten)
else()
    find_program(emcc_program emcc)
    if(NOT emcc_program)
        message(FATAL_ERROR "emcc not found: install emscripten (Debian: emscripten), or set "
                            "EMSCRIPTEN_ROOT to the folder that holds emcc")
    endif()
    file(REAL_PATH ${emcc_program} emcc_program)
    get_filename_component(emscripten_root ${emcc_program} DIRECTORY)
endif()
set(emscripten_toolchain ${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake)
if(NOT EXISTS ${emscripten_toolchain})
    message(FATAL_ERROR "emscripten's toolchain file is not at ${emscripten_toolchain}")
endif()
include(${emscripten_toolchain})

# Debian's emscripten runs its JavaScript tools (acorn and others) from Debian's Node
# modules, /usr/share/nodejs, where Debian's own Node looks; a Node from elsewhere is told.
get_filename_component(emscripten_share ${emscripten_root} DIRECTORY)
if(EXISTS ${emscripten_share}/nodejs/acorn)
    set(node_modules_launcher
        ${CMAKE_COMMAND} -E env --modify NODE_PATH=path_list_prepend:${emscripten_share}/nodejs)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${node_modules_launcher})
    set(CMAKE_CXX_LINKER_LAUNCHER ${node_modules_launcher})
endif()
