#!/usr/bin/env bash
# A game on a terminal killed with SIGKILL at random moments, some of them while it writes
# its save: every time, the save it leaves behind resumes, at the last line entered or the
# one before, exactly where an unbroken game fed the same lines would be: the same screen,
# then the same answers to the rest of the lines.
#
# Usage: killed-at-any-moment.sh GAME TOUR [ROUNDS]   (the game on a pseudo-terminal by
# script(1); TOUR, one command a line, played from a new game, four times over)
set -uo pipefail
game=$1
tour=$2
rounds=${3:-40}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vellumfall-killed.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

{ echo 0; for _ in 1 2 3 4; do cat "$tour"; done; } >"$scratch/lines"
total=$(wc -l <"$scratch/lines")

failures=0
resumed_rounds=0
for ((round = 1; round <= rounds; ++round)); do
    state=$scratch/state-$round
    mkdir "$state"
    # Lines every 10 ms; the kill anywhere from the first to the last.
    (while IFS= read -r line; do printf '%s\n' "$line"; sleep 0.01; done <"$scratch/lines"
     sleep 1) |
        XDG_STATE_HOME=$state TERM=dumb script -qfec "exec $game" /dev/null >/dev/null 2>&1 &
    feeder=$!
    sleep "0.$((RANDOM % 9 + 1))$((RANDOM % 10))"
    pkill -KILL -x -f "$game"
    wait "$feeder" 2>/dev/null
    save=$state/vellumfall/vellumfall.save
    [ -f "$save" ] || continue
    resumed_rounds=$((resumed_rounds + 1))
    if ! bash "$(dirname "$0")/../run-resumed.sh" "$save" "$scratch/lines" "$game"; then
        echo "round $round: killed after $(grep -c '^line' "$save") of $total lines"
        failures=$((failures + 1))
    fi
done
echo "$resumed_rounds of $rounds rounds left a save; $failures went wrong."
[ "$failures" -eq 0 ] && [ "$resumed_rounds" -gt 0 ]
