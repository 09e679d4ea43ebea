#!/usr/bin/env bash
# Runs one of the fuzzers (built by the fuzz preset) for a bounded time and fails on any
# finding: a crash, a leak, a sanitizer report, an input slower than a second or one that
# makes the process too big. Builds nothing.
#
# Usage: fuzz/run.sh SECONDS [session|save]
#   session (the default): whole sessions, seeded with the transcripts' inputs
#   save: save files read and replayed, seeded with tests/saves/
# Environment: FUZZER (default build-fuzz/fuzz/vellumfall_fuzz, or vellumfall_save_fuzz),
# FUZZ_WORK (default build-fuzz/fuzz-run or fuzz-run-save: the growing corpus and the
# findings; kept between runs).
set -euo pipefail
shopt -s nullglob
root=$(cd "$(dirname "$0")/.." && pwd)

seconds=${1:?usage: fuzz/run.sh SECONDS [session|save]}
target=${2:-session}
case "$target" in
session)
    fuzzer=${FUZZER:-$root/build-fuzz/fuzz/vellumfall_fuzz}
    work=${FUZZ_WORK:-$root/build-fuzz/fuzz-run}
    seeds=("$root"/tests/transcripts/*.in)
    dictionary=$root/fuzz/vellumfall.dict
    keep="a regression transcript (tests/transcripts/NAME.in)"
    ;;
save)
    fuzzer=${FUZZER:-$root/build-fuzz/fuzz/vellumfall_save_fuzz}
    work=${FUZZ_WORK:-$root/build-fuzz/fuzz-run-save}
    seeds=("$root"/tests/saves/*.save)
    dictionary=$root/fuzz/save.dict
    keep="a case of the save tests (tests/unit/save_test.cpp)"
    ;;
*)
    echo "usage: fuzz/run.sh SECONDS [session|save]" >&2
    exit 2
    ;;
esac

if [ ! -x "$fuzzer" ]; then
    echo "No fuzzer at $fuzzer: build it first with" >&2
    echo "  cmake --preset fuzz && cmake --build --preset fuzz" >&2
    exit 2
fi

# The seeds are copied afresh each run so that new and changed ones count.
mkdir -p "$work/corpus" "$work/findings"
for seed in "${seeds[@]}"; do
    cp "$seed" "$work/corpus/seed-$(basename "$seed")"
done
rm -f "$work"/findings/*

status=0
"$fuzzer" "$work/corpus" \
    -dict="$dictionary" \
    -max_total_time="$seconds" \
    -timeout=1 \
    -rss_limit_mb=1024 \
    -malloc_limit_mb=64 \
    -print_final_stats=1 \
    -artifact_prefix="$work/findings/" || status=$?

findings=("$work"/findings/*)
if [ "$status" -ne 0 ] || [ "${#findings[@]}" -ne 0 ]; then
    echo "The fuzzer found a fault (exit status $status). Each input below must be kept as"
    echo "$keep once fixed:"
    for finding in "${findings[@]}"; do
        echo "--- $finding"
        od -An -c "$finding" | head -n 40
    done
    echo "Replay one with: $fuzzer FILE"
    exit 1
fi
echo "No finding in $seconds seconds."
