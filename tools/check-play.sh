#!/usr/bin/env bash
# The README's play command in a fresh clone, as on a machine that has a compiler and CMake
# and nothing more: GoogleTest, Google Benchmark and libedit are hidden from CMake. It must
# say that it builds without line editing, build the game and nothing else, and play.
#
# Usage: tools/check-play.sh   (clones the repository's HEAD into a scratch folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-play.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

git clone --quiet "$root" "$scratch/vellumfall"
cd "$scratch/vellumfall"
cmake --preset play -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_Libedit=ON |
    tee configure.log
grep -q "libedit not found" configure.log || {
    echo "FAIL: the configure step did not say that it builds without line editing"
    exit 1
}
cmake --build --preset play

programs=$(find build-play -type f -perm -u+x ! -path '*/CMakeFiles/*' | sort)
if [ "$programs" != "build-play/vellumfall" ]; then
    echo "FAIL: the play build made other programs than build-play/vellumfall:"
    echo "$programs"
    exit 1
fi
if ! printf '0\nq\ny\n' | build-play/vellumfall | grep -q "Would you like to quit?"; then
    echo "FAIL: the game built by the play command does not play"
    exit 1
fi
echo "The play command builds the game alone, without GoogleTest, Google Benchmark or libedit."
