#!/usr/bin/env bash
# Checks that the release's four artifacts are reproducible, as Debian's reproducible-builds
# project checks its packages: reprotest builds them a second time (tools/release.sh
# --no-tests) from a fresh clone of the last commit, in another folder, with another umask,
# clock, time zone, locale, file system order, home, PATH, kernel name, CPU count and host
# name, and diffoscope shows any byte that differs from the release's own.
#
# Usage: tools/check-reproducible.sh [RELEASE_DIR [COMMIT]]
#   RELEASE_DIR: what tools/release.sh made (default: build-release), of COMMIT (default: HEAD)
#   REPROTEST_VARIATIONS replaces the variations (default: +all,-user_group; without a usable
#   FUSE, file system order is left out, and said so).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
release=$(realpath "${1:-$root/build-release}")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# The release as reprotest's control build: its files where the second build leaves them.
mkdir -p "$scratch/control/source-root/build-release"
(cd "$release" && sha256sum -c --quiet SHA256SUMS)
# shellcheck disable=SC2046
cp $(cd "$release" && sed "s|^[0-9a-f]*  |$release/|" SHA256SUMS) "$scratch/control/source-root/build-release/"

git clone --quiet --no-hardlinks --no-checkout "$root" "$scratch/source"
git -C "$scratch/source" checkout --quiet --detach "${2:-HEAD}"

# Another user would need an account set up for reprotest, and the web build's emscripten
# cache of its own; the rest varies where the machine allows.
variations=${REPROTEST_VARIATIONS:-+all,-user_group}
if [ -z "${REPROTEST_VARIATIONS:-}" ]; then
    mkdir "$scratch/fuse-probe" "$scratch/fuse-probe-mount"
    if disorderfs --quiet "$scratch/fuse-probe" "$scratch/fuse-probe-mount" 2>/dev/null; then
        fusermount -u "$scratch/fuse-probe-mount"
    else
        echo "No usable FUSE here: the file system order is not varied."
        variations=$variations,-fileordering
    fi
fi

mkdir "$scratch/diffs"
status=0
reprotest --verbosity 1 --store-dir "$scratch/diffs" --control-build "$scratch/control" \
    --variations "$variations" --min-cpus 1 \
    -s "$scratch/source" 'tools/release.sh --no-tests build-release' 'build-release/vellumfall*' \
    -- null || status=$?
if [ "$status" -ne 0 ]; then
    cat "$scratch"/diffs/*.diffoscope.out 2>/dev/null || true
    echo "FAIL: a second build of the release differs from it (diffoscope above)"
    exit 1
fi
echo "The release's four artifacts are reproducible."
