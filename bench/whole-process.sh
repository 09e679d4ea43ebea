#!/usr/bin/env bash
# The whole-process figure: replays a long scripted session (bench/tour.txt over and over,
# TURNS turns after the New Game choice) through the game with its output to /dev/null,
# and the same script through bench's echo_words, which only reads each word and writes it
# back with a flush. Prints the best of RUNS timings of each and their ratio, and fails
# when the game costs more than 3 times the echo program.
#
# Usage: bench/whole-process.sh [BUILD_DIR]    (default: build; TURNS=100000 RUNS=5)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
turns=${TURNS:-100000}
runs=${RUNS:-5}
limit=3
game=$build/vellumfall
echo_words=$build/bench/echo_words
for program in "$game" "$echo_words"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: build the default preset first (cmake --workflow --preset default)." >&2
        exit 2
    fi
done

script=$(mktemp)
trap 'rm -f "$script"' EXIT
{
    echo 0
    awk -v turns="$turns" '{ line[NR] = $0 } END { for (i = 0; i < turns; ++i) print line[i % NR + 1] }' bench/tour.txt
} >"$script"

# Best wall-clock time of $runs runs, in microseconds.
best_us() {
    local best=
    for _ in $(seq "$runs"); do
        local start end elapsed
        start=$(date +%s%N)
        "$@" <"$script" >/dev/null
        end=$(date +%s%N)
        elapsed=$(((end - start) / 1000))
        if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then
            best=$elapsed
        fi
    done
    echo "$best"
}

game_us=$(best_us "$game")
echo_us=$(best_us "$echo_words")
words=$(wc -w <"$script")
ratio=$(awk -v g="$game_us" -v e="$echo_us" 'BEGIN { printf "%.2f", (e > 0 ? g / e : 0) }')
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }

echo "script: $turns turns, $words words"
echo "game:       $(ms "$game_us") ms  ($game)"
echo "echo_words: $(ms "$echo_us") ms  ($echo_words)"
echo "ratio:      ${ratio} (at most $limit)"
awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r <= l) }'
