#!/usr/bin/env bash
# Builds the Debian package as Debian would, from a clean copy of the last commit
# (dpkg-buildpackage -us -uc, which runs the native tests), then checks it: lintian on the
# source package and the binary (any error or warning fails; informational and pedantic
# findings are shown, with the overrides), the package's fields, contents and game
# (tests/install/deb-package.sh), and its AppStream metainfo (appstreamcli validate).
#
# Usage: tools/check-package.sh [--nocheck] [OUT_DIR]
#   OUT_DIR keeps the .deb (default: a scratch folder, removed at the end).
#   --nocheck builds without the tests and checks nothing (DEB_BUILD_OPTIONS=nocheck).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
nocheck=false
if [ "${1:-}" = --nocheck ]; then
    nocheck=true
    shift
fi
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
out=${1:-$scratch/out}
mkdir -p "$out"

version=$(sed -n '1s/^vellumfall (\([^)]*\)).*/\1/p' "$root/debian/changelog")
git -c advice.detachedHead=false clone --quiet --no-hardlinks "$root" "$scratch/vellumfall-$version"
cd "$scratch/vellumfall-$version"
options="parallel=2${DEB_BUILD_OPTIONS:+ $DEB_BUILD_OPTIONS}"
if $nocheck; then
    options="$options nocheck"
fi
echo "== dpkg-buildpackage -us -uc (DEB_BUILD_OPTIONS=$options)"
if ! DEB_BUILD_OPTIONS=$options dpkg-buildpackage -us -uc >"$scratch/build.log" 2>&1; then
    tail -n 100 "$scratch/build.log"
    echo "FAIL: dpkg-buildpackage could not build the package (the last 100 lines above)"
    exit 1
fi
# A CMake warning in the package build counts as one in any workflow.
if grep -n '^CMake Warning' "$scratch/build.log"; then
    echo "FAIL: CMake warned while building the package"
    exit 1
fi
deb=vellumfall_${version}_$(dpkg --print-architecture).deb
cp "$scratch/$deb" "$out/"
if $nocheck; then
    exit 0
fi

changes=("$scratch"/vellumfall_"${version}"_*.changes)
echo "== lintian ${changes[*]##*/}: the source package and the binaries"
# lintian warns about running as root, which CI does.
lintian --fail-on error,warning --display-info --pedantic --show-overrides "${changes[@]}" \
    2> >(grep -v 'running with root privileges' >&2)
echo "lintian: no error and no warning."

echo "== $deb"
bash "$root/tests/install/deb-package.sh" "$out/$deb" "$root" "$version"

echo "== appstreamcli validate"
dpkg-deb -x "$out/$deb" "$scratch/unpacked"
appstreamcli validate --no-net --pedantic "$scratch"/unpacked/usr/share/metainfo/*.metainfo.xml
