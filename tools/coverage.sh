#!/usr/bin/env bash
# Line coverage of src/ by the whole test suite, with gcc's gcov.
#
# Builds the `coverage` preset (build-coverage/), runs every test, then prints the line
# coverage of each file of src/, the total, and every line no test reached. Fails when a
# test fails or when the total is below COVERAGE_THRESHOLD percent (default 95).
#
# The total counts the POSIX front end too, which the terminal transcripts play on a
# pseudo-terminal, but not the Windows and web front ends, which this build does not make;
# their files are listed, marked "not counted", where a test reached them.
#
# The annotated sources (one SOURCE.gcov per file) stay in build-coverage/coverage/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
threshold=${COVERAGE_THRESHOLD:-95}
build=build-coverage
report=$build/coverage

cmake --preset coverage >/dev/null
cmake --build --preset coverage

# Counts from an earlier run would add up with this one.
find "$build" -name '*.gcda' -delete
tests_status=0
ctest --preset coverage || tests_status=$?

rm -rf "$report"
mkdir -p "$report"
# Every compiled file, tests included, so that a header's lines count wherever they ran;
# an object that never ran (no .gcda) shows all its lines as missed. gcov merges the
# counts of a header over all the objects that include it.
find "$root/$build" -name '*.gcno' -print0 |
    (cd "$report" && xargs -0 gcov --preserve-paths --relative-only --source-prefix "$root" \
        >gcov.log 2>&1) || {
    cat "$report/gcov.log" >&2
    exit 1
}

shopt -s nullglob
# Headers are compiled from the layers' include roots (build-coverage/layers/LAYER/...),
# which link to src/.
annotated=("$report"/src#*.gcov "$report"/"$build"#layers#*.gcov)
if [ ${#annotated[@]} -eq 0 ]; then
    echo "gcov produced no report for src/ (see $report/gcov.log)" >&2
    exit 1
fi

awk -v threshold="$threshold" -v excluded="^src/platform/(windows|web)/" -v build="$build" '
    function isCounted(name) { return name !~ excluded }
    # Each annotated line is "COUNT:LINE:SOURCE"; COUNT is "-" where there is no code,
    # "#####" or "=====" where none of it ran, otherwise how often it ran (with a "*" when
    # some of it did not). Code that several functions share (an inline function of a header,
    # one copy per object) is listed again under each function name: a line counts as
    # reached when any of its copies ran.
    FNR == 1 { file = "" }
    !/^ *([0-9]+\*?|-|#####|=====): *[0-9]+:/ { next }
    {
        count = $0; sub(/:.*/, "", count); gsub(/ /, "", count)
        rest = $0; sub(/^[^:]*:/, "", rest)
        line = rest; sub(/:.*/, "", line); gsub(/ /, "", line)
        text = rest; sub(/^[^:]*:/, "", text)
    }
    line == "0" && text ~ /^Source:/ {
        file = substr(text, 8)
        if (index(file, build "/layers/") == 1) {
            file = substr(file, length(build "/layers/") + 1)
            sub(/^[^\/]+\//, "src/", file)
        }
        next
    }
    file == "" || count == "-" || line == "0" { next }
    {
        key = file SUBSEP line
        if (!(key in known)) {
            known[key] = 1
            ++lines[file]
            source[key] = text
            order[file, lines[file]] = line
        }
        if (count !~ /^[#=]+$/ && !(key in hit)) {
            hit[key] = 1
            ++covered[file]
        }
    }
    END {
        n = 0
        for (f in lines) names[++n] = f
        # Sort the file names (insertion sort: a few dozen files).
        for (i = 2; i <= n; ++i) {
            v = names[i]
            for (j = i - 1; j >= 1 && names[j] > v; --j) names[j + 1] = names[j]
            names[j + 1] = v
        }
        printf "\n%-40s %7s %7s %8s\n", "file", "lines", "missed", "covered"
        for (i = 1; i <= n; ++i) {
            f = names[i]
            missed = lines[f] - covered[f]
            printf "%-40s %7d %7d %7.1f%%%s\n", f, lines[f], missed, 100 * covered[f] / lines[f],
                   isCounted(f) ? "" : "  (not counted)"
            if (isCounted(f)) {
                totalLines += lines[f]
                totalCovered += covered[f]
            }
        }
        percent = totalLines > 0 ? 100 * totalCovered / totalLines : 0
        printf "%-40s %7d %7d %7.1f%%\n", "total", totalLines,
               totalLines - totalCovered, percent

        printf "\nLines no test reached:\n"
        for (i = 1; i <= n; ++i) {
            f = names[i]
            for (k = 1; k <= lines[f]; ++k) {
                key = f SUBSEP order[f, k]
                if (!(key in hit)) {
                    printf "%s:%d:%s%s\n", f, order[f, k], source[key],
                           isCounted(f) ? "" : "   (not counted)"
                }
            }
        }
        if (percent < threshold) {
            printf "\nLine coverage %.1f%% is below the threshold of %s%%.\n", percent, threshold
            exit 1
        }
        printf "\nLine coverage %.1f%% meets the threshold of %s%%.\n", percent, threshold
    }
' "${annotated[@]}" || exit 1

if [ "$tests_status" -ne 0 ]; then
    echo "Some tests failed (ctest exit status $tests_status)." >&2
    exit "$tests_status"
fi
