#!/usr/bin/env bash
# Formatting and static checks: clang-format on every C++ file of src/, tests/, bench/, fuzz/
# and tools/ (the rules of .clang-format), then clang-tidy on the files of src/ and tools/
# that BUILD_DIR compiles (the checks of .clang-tidy). Fails on any file that is not formatted and on any
# clang-tidy warning.
#
# Usage: tools/check-style.sh [BUILD_DIR]
# clang-tidy compiles each file as BUILD_DIR/compile_commands.json says (default: build);
# a BUILD_DIR without one is configured with the default preset first.
# To format the tree in place: clang-format -i $(find src tests bench fuzz tools -name '*.cpp' -o -name '*.h')
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$PWD
build=${1:-build}
clang_format=${CLANG_FORMAT:-clang-format}
clang_tidy=${CLANG_TIDY:-clang-tidy}
failed=0

folders=()
for folder in src tests bench fuzz tools; do
    [ -d "$folder" ] && folders+=("$folder")
done
mapfile -t sources < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

echo "== clang-format: ${#sources[@]} files"
unformatted=0
for file in "${sources[@]}"; do
    if ! "$clang_format" --dry-run -Werror "$file" >/dev/null 2>&1; then
        "$clang_format" "$file" | diff -u --label "$file" --label "$file (formatted)" "$file" -
        unformatted=$((unformatted + 1))
    fi
done
if [ "$unformatted" -gt 0 ]; then
    echo "clang-format: $unformatted files are not formatted (the diffs above)."
    failed=1
else
    echo "clang-format: all formatted."
fi

if [ ! -f "$build/compile_commands.json" ]; then
    cmake --preset default -B "$build" >/dev/null || exit 2
fi
# Only the files that build compiles. The Windows and web front ends are left out of the
# native lint: clang-tidy cannot parse them without their cross compilers' headers and
# targets, which the native compile commands do not have.
mapfile -t units < <(find src tools -type f -name '*.cpp' | sort | while read -r unit; do
    grep -qF "\"$root/$unit\"" "$build/compile_commands.json" && echo "$unit"
done)
echo "== clang-tidy: ${#units[@]} files of src/ and tools/, with $build/compile_commands.json"
# The compile commands are GCC's: clang does not know GCC's own warnings (-Wlogical-op and
# the like) and would stop at each one.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
printf '%s\0' "${units[@]}" |
    xargs -0 -n 2 -P "$(nproc)" "$clang_tidy" -p "$build" --quiet \
        --extra-arg=-Wno-unknown-warning-option >"$log" 2>&1
tidy_status=$?
# A header's warning comes once for every file that includes it.
findings=$(grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error):' "$log" | sed "s|^$root/||" | sort -u)
if [ -n "$findings" ]; then
    echo "$findings"
    echo "clang-tidy findings by check:"
    echo "$findings" | sed -E 's/.*\[([^]]+)\]$/\1/' | sort | uniq -c | sort -rn
    failed=1
elif [ "$tidy_status" -ne 0 ]; then
    cat "$log"
    echo "clang-tidy failed (exit status $tidy_status)."
    failed=1
else
    echo "clang-tidy: no findings."
fi
exit "$failed"
