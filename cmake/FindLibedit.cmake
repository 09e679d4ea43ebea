# Finds libedit, the BSD line editor (Debian: libedit-dev), without pkg-config, which a
# machine that only builds the game may not have.
#
#   Libedit_FOUND, and the imported target Libedit::Libedit
#
# -DCMAKE_DISABLE_FIND_PACKAGE_Libedit=ON builds without it, as on a machine that lacks it.
find_path(Libedit_INCLUDE_DIR histedit.h)
find_library(Libedit_LIBRARY edit)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Libedit REQUIRED_VARS Libedit_LIBRARY Libedit_INCLUDE_DIR)
mark_as_advanced(Libedit_INCLUDE_DIR Libedit_LIBRARY)

if(Libedit_FOUND AND NOT TARGET Libedit::Libedit)
    add_library(Libedit::Libedit UNKNOWN IMPORTED)
    set_target_properties(Libedit::Libedit PROPERTIES
        IMPORTED_LOCATION "${Libedit_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${Libedit_INCLUDE_DIR}")
endif()
