#!/usr/bin/env bash
# Makes the release of the last commit: the four artifacts of its version, each built and
# tested by its own workflow, in one folder with their SHA256SUMS.
#
#   vellumfall_VERSION_ARCH.deb      the Debian package: dpkg-buildpackage from a clean clone,
#                                    the native tests, lintian (tools/check-package.sh)
#   vellumfall-VERSION-win64.zip     the Windows zip: cmake --workflow --preset windows
#   vellumfall-VERSION.tgz           the npm package: cmake --workflow --preset web
#   vellumfall-VERSION-site.tar.gz   the site, from the same build
#
# It fails when the tree differs from the last commit, when a build or a test fails, when
# CMake warns, or when an artifact names another version than the project's
# (debian/changelog's latest entry).
#
# Usage: tools/release.sh [--tested | --no-tests] [OUT_DIR]     (default OUT_DIR: build-release)
#   --tested    build-web and build-windows were just built and tested by their workflows
#               (as in CI): pack them without running their tests again
#   --no-tests  build and pack alone, in build folders of their own, with nothing tested:
#               the second build of tools/check-reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=release
case ${1:-} in
    --tested | --no-tests) mode=${1#--} && shift ;;
esac
out=$(realpath -m "${1:-$root/build-release}")
cd "$root"

version=$(sed -n '1s/^vellumfall (\([^)]*\)).*/\1/p' debian/changelog)
arch=$(dpkg --print-architecture)
deb=vellumfall_${version}_${arch}.deb
zip=vellumfall-${version}-win64.zip
npm=vellumfall-${version}.tgz
site=vellumfall-${version}-site.tar.gz

if [ -n "$(git status --porcelain)" ]; then
    git status --short
    echo "FAIL: the tree differs from the last commit; a release is made of a commit"
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-release.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

step() {
    echo
    echo "== $* ($((SECONDS / 60))m$((SECONDS % 60))s)"
}
# Runs a CMake command with its output kept, for the warnings.
run() {
    "$@" 2>&1 | tee -a "$scratch/cmake.log"
    return "${PIPESTATUS[0]}"
}

# The Windows zip and the web build's two archives; their workflows date what they pack at
# the last commit unless SOURCE_DATE_EPOCH says otherwise.
if [ "$mode" = no-tests ]; then
    windows=build-windows-artifacts web=build-web-artifacts
    step "the Windows zip"
    run cmake --preset windows-artifacts
    run cmake --build --preset windows-artifacts
    run cpack --preset windows-artifacts
    step "the site and the npm package"
    run cmake --preset web-artifacts
    run cmake --build --preset web-artifacts
elif [ "$mode" = tested ]; then
    windows=build-windows web=build-web
    step "the Windows zip, from build-windows"
    run cmake --build --preset windows
    run cpack --preset windows
    step "the site and the npm package, from build-web"
    run cmake --build --preset web
else
    windows=build-windows web=build-web
    step "the windows workflow"
    run cmake --workflow --preset windows
    step "the web workflow"
    run cmake --workflow --preset web
fi

step "the Debian package"
mkdir -p "$out"
rm -f "$out"/vellumfall[-_]* "$out/SHA256SUMS"
if [ "$mode" = no-tests ]; then
    tools/check-package.sh --nocheck "$out"
else
    tools/check-package.sh "$out"
fi
cp "$windows/$zip" "$web/$npm" "$web/$site" "$out/"
if grep -n '^CMake [A-Za-z ]*Warning' "$scratch/cmake.log"; then
    echo "FAIL: CMake warned"
    exit 1
fi

step "the versions"
failed=0
expect() {
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1 is '$2', not '$3'"
        failed=1
    fi
}
expect "the Debian package's version" "$(dpkg-deb -f "$out/$deb" Version)" "$version"
unzip -q "$out/$zip" -d "$scratch/zip"
expect "the zip's folder" "$(ls "$scratch/zip")" "vellumfall-$version-win64"
expect "the zip's README heading" "$(head -n 1 "$scratch/zip"/*/README.txt | tr -d '\r')" \
    "Vellumfall $version"
tar -xzf "$out/$npm" -C "$scratch"
expect "the npm package's version" \
    "$(node -p 'require(process.argv[1]).version' "$scratch/package/package.json")" "$version"
tar -xzf "$out/$site" -C "$scratch"
expect "the site's folder" "$(cd "$scratch" && ls -d -- *-site)" "vellumfall-$version-site"
# The site's module is the npm package's, whose version the game says below.
for module in vellumfall.js vellumfall.wasm; do
    cmp -s "$scratch/vellumfall-$version-site/$module" "$scratch/package/lib/$module" ||
        expect "the site's $module" "another" "the npm package's"
done
if [ "$mode" != no-tests ]; then
    dpkg-deb -x "$out/$deb" "$scratch/deb"
    expect "the Debian package's game's version" "$("$scratch/deb/usr/games/vellumfall" --version)" \
        "vellumfall $version"
    expect "the npm package's game's version" "$(node "$scratch/package/bin/vellumfall.js" --version)" \
        "vellumfall $version"
    wine=$(sed -n 's/^VELLUMFALL_WINE:FILEPATH=//p' "$windows/CMakeCache.txt")
    expect "the zip's game's version" \
        "$(WINEPREFIX=$root/$windows/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
            "$wine" "$scratch"/zip/*/vellumfall.exe --version | tr -d '\r')" "vellumfall $version"
fi
[ "$failed" -eq 0 ] || exit 1
echo "Every artifact is version $version."

step "SHA256SUMS"
(cd "$out" && LC_ALL=C sha256sum -- "$deb" "$zip" "$npm" "$site" >SHA256SUMS && sha256sum -c SHA256SUMS)
ls -l "$out"
echo "Released vellumfall $version in $out ($((SECONDS / 60))m$((SECONDS % 60))s)."
