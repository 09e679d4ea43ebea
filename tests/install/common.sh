# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the install checks, which may set build before and read failed after.
# What they share: a scratch folder that goes away at the end, and a build
# folder left as it was found.
#
# cmake --install writes install_manifest.txt into the build folder, and a player may
# still need the one from their own install (to remove it again), so it is saved first
# and put back at the end.

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-install.XXXXXX")
manifest=${build:+$build/install_manifest.txt}
if [ -n "$manifest" ] && [ -e "$manifest" ]; then
    cp -p "$manifest" "$scratch/install_manifest.saved"
fi

cleanup() {
    if [ -e "$scratch/install_manifest.saved" ]; then
        cp -p "$scratch/install_manifest.saved" "$manifest"
    elif [ -n "$manifest" ]; then
        rm -f "$manifest"
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "This test needs '$tool', which is not on PATH (Debian: $(tool_package "$tool"))."
            exit 1
        fi
    done
}

tool_package() {
    case $1 in
        dpkg-deb) echo "apt-get install dpkg" ;;
        groff) echo "apt-get install groff-base" ;;
        man) echo "apt-get install man-db" ;;
        *) echo "the package that provides $1" ;;
    esac
}

# Prints the regular files and links under a folder, one relative path a line, sorted.
files_under() {
    (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
}

# The text the game prints at the title menu when told to quit there.
title_menu_of() {
    printf '3\n' | "$1"
}
