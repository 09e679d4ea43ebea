#!/usr/bin/env bash
# A save resumed with --continue and fed the rest of the lines goes on exactly as the
# unbroken game fed all of them: first the screen the save shows, then the same answers.
# A save that is not there, not a file or damaged is refused in one line with status 1,
# and left as it was.
# The unbroken game and the game up to the save are played piped by the same launcher.
#
# Usage: run-resumed.sh SAVE LINES GAME [ARGUMENT...]   (LINES: one line a line, the
# save's `line` entries first)
set -uo pipefail
save=$1
lines=$2
shift 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-resumed.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

saved=$(grep -c '^line' "$save")
"$@" <"$lines" >"$scratch/unbroken"
head -n "$saved" "$lines" | "$@" >"$scratch/prefix"
# The game up to the save ended at the end of its input, with one line end more.
prefix_size=$(($(wc -c <"$scratch/prefix") - 1))
{
    # The save's screen, unescaped, its lines joined by line ends.
    first=1
    while IFS= read -r line; do
        [ "$first" = 1 ] || printf '\n'
        first=0
        line=${line#screen}
        printf '%b' "${line# }"
    done < <(grep -E '^screen( |$)' "$save")
    tail -c +"$((prefix_size + 1))" "$scratch/unbroken"
} >"$scratch/expected"
tail -n +"$((saved + 1))" "$lines" | "$@" --continue "$save" >"$scratch/resumed" 2>"$scratch/errors"
status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: the save of $saved lines did not resume (status $status): $(cat "$scratch/errors")"
    exit 1
fi
if ! cmp -s "$scratch/expected" "$scratch/resumed"; then
    echo "FAIL: resumed after $saved lines, the game went on otherwise:"
    diff <(cat -A "$scratch/expected") <(cat -A "$scratch/resumed") | head -n 20
    exit 1
fi

# What --continue refuses, and the one line it says; standard error is compared without
# the carriage returns a Windows console adds.
refused() {
    local expected=$1
    shift
    "$@" </dev/null >/dev/null 2>"$scratch/errors"
    local status=$?
    local said
    said=$(tr -d '\r' <"$scratch/errors")
    if [ "$status" -ne 1 ] || [[ "$said" != $expected ]]; then
        echo "FAIL: ${*: -2}: status $status, said: $said (expected status 1 and: $expected)"
        exit 1
    fi
}
refused "vellumfall: there is no saved game to continue in $scratch/none" \
    "$@" --continue "$scratch/none"
refused "vellumfall: $scratch: *" "$@" --continue "$scratch"
printf 'vellumfall save 1\njump\n' >"$scratch/damaged"
cp "$scratch/damaged" "$scratch/damaged.before"
refused "vellumfall: $scratch/damaged: damaged at line 2: unknown entry 'jump'" \
    "$@" --continue "$scratch/damaged"
if ! cmp -s "$scratch/damaged" "$scratch/damaged.before"; then
    echo "FAIL: the damaged save was changed"
    exit 1
fi
