#!/usr/bin/env bash
# Fails when DOCS/world.md or DOCS/world/ differ in any byte from what the world-map tool
# draws from today's location table, and says how to bring them up to date.
#
# Usage: check-current.sh WORLD_MAP DOCS
set -uo pipefail
tool=$1
docs=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/world-map.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

"$tool" "$scratch/docs" || exit 1
if ! diff -r "$docs/world" "$scratch/docs/world" >"$scratch/diff" ||
    ! diff "$docs/world.md" "$scratch/docs/world.md" >>"$scratch/diff"; then
    head -n 40 "$scratch/diff"
    echo
    echo "FAIL: docs/world.md and docs/world/ are not what the location table draws today."
    echo "Regenerate them, and commit them with the change to the table:"
    echo "    $tool $docs"
    exit 1
fi
echo "docs/world.md and its pictures are current."
