#!/usr/bin/env bash
# Runs the session fuzzer (built by the fuzz preset) for a bounded time and fails on any
# finding: a crash, a leak, a sanitizer report, an input slower than a second or one that
# makes the process too big. Builds nothing.
#
# Usage: fuzz/run.sh SECONDS
# Environment: FUZZER (default build-fuzz/fuzz/vellumfall_fuzz), FUZZ_WORK (default
# build-fuzz/fuzz-run: the growing corpus and the findings; kept between runs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

seconds=${1:?usage: fuzz/run.sh SECONDS}
fuzzer=${FUZZER:-$root/build-fuzz/fuzz/vellumfall_fuzz}
work=${FUZZ_WORK:-$root/build-fuzz/fuzz-run}

if [ ! -x "$fuzzer" ]; then
    echo "No fuzzer at $fuzzer: build it first with" >&2
    echo "  cmake --preset fuzz && cmake --build --preset fuzz" >&2
    exit 2
fi

# The transcripts are the seeds, copied afresh each run so that new and changed ones count.
mkdir -p "$work/corpus" "$work/findings"
shopt -s nullglob
for seed in "$root"/tests/transcripts/*.in; do
    cp "$seed" "$work/corpus/seed-$(basename "$seed")"
done
rm -f "$work"/findings/*

status=0
"$fuzzer" "$work/corpus" \
    -dict="$root/fuzz/vellumfall.dict" \
    -max_total_time="$seconds" \
    -timeout=1 \
    -rss_limit_mb=1024 \
    -malloc_limit_mb=64 \
    -print_final_stats=1 \
    -artifact_prefix="$work/findings/" || status=$?

findings=("$work"/findings/*)
if [ "$status" -ne 0 ] || [ "${#findings[@]}" -ne 0 ]; then
    echo "The fuzzer found a fault (exit status $status). Each input below is a session that"
    echo "must be kept as a regression transcript (tests/transcripts/NAME.in) once fixed:"
    for finding in "${findings[@]}"; do
        echo "--- $finding"
        od -An -c "$finding" | head -n 40
    done
    echo "Replay one with: $fuzzer FILE"
    exit 1
fi
echo "No finding in $seconds seconds."
