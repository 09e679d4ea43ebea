#!/usr/bin/env bash
# Plays a transcript's input through the game under valgrind's memcheck: any invalid
# access, use of uninitialised memory or leak fails, and so does an exit status other
# than 0. Usage: memcheck.sh VALGRIND GAME INPUT
set -u
valgrind=$1
game=$2
input=$3

"$valgrind" --quiet --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
    "$game" <"$input" >/dev/null
status=$?
if [ "$status" -eq 99 ]; then
    echo "memcheck reported errors (above)."
elif [ "$status" -ne 0 ]; then
    echo "The game ended with exit status $status, not 0."
fi
exit "$status"
