#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it with lintian: any error or
# warning fails; informational and pedantic findings are shown too, with the overrides.
#
# Usage: tools/check-package.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-package.XXXXXX")
trap 'rm -rf "$out"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
packages=("$out"/*.deb)
echo "== lintian ${packages[*]##*/}"
# lintian warns about running as root, which CI does.
lintian --fail-on error,warning --display-info --pedantic --show-overrides "${packages[@]}" \
    2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no error and no warning."
