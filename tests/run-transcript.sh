#!/usr/bin/env bash
# Pipes a transcript's input into the game and compares what it prints with the expected
# output, byte for byte. Usage: run-transcript.sh GAME INPUT EXPECTED [RUNNER...]
# RUNNER, when given, is the command that runs the game: wine for a Windows build.
set -u
game=$1
input=$2
expected=$3
shift 3

actual=$(mktemp)
trap 'rm -f "$actual"' EXIT

"$@" "$game" <"$input" >"$actual"
status=$?
failed=0
if [ "$status" -ne 0 ]; then
    echo "The game ended with exit status $status, not 0."
    failed=1
fi
if ! cmp -s "$expected" "$actual"; then
    echo "The output differs from $expected (each changed line ends in \$, so trailing blanks show):"
    diff -u --label expected --label actual "$expected" "$actual" | sed -e '/^[-+]/s/$/$/'
    failed=1
fi
exit "$failed"
