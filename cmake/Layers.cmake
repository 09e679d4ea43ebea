# The game is built in layers, each a library that sees only the layers below it:
#
#   console  <-  world  <-  app  <-  one front end (src/platform/NAME)
#
# Each layer has an include root of its own, in the build folder, holding links to its
# source folders and nothing else: `#include "game/World.h"` is found from the world and
# the layers above it, and from the console it is not found at all. So an include that
# reaches up fails to compile, and the build, not a reviewer, keeps the layers apart.

# vellumfall_layer_includes(TARGET FOLDER...)
# Gives TARGET an include root holding FOLDER... of src/ (e.g. console, game, platform/posix),
# seen by TARGET and by whatever links it.
function(vellumfall_layer_includes target)
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    foreach(folder IN LISTS ARGN)
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        if(NOT IS_SYMLINK ${root}/${folder})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
