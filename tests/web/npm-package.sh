#!/usr/bin/env bash
# The npm package as a player gets it: packed, installed from the tarball into a scratch
# folder and started through its "bin" link. It plays the walkthrough byte for byte, knows
# its command line, and fails with the game's one line and status 1 where the POSIX game
# does. Usage: npm-package.sh PACKAGE_DIR TRANSCRIPTS_DIR VERSION
set -euo pipefail
package=$1
transcripts=$2
version=$3

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$package" && npm pack --silent --pack-destination "$scratch" >/dev/null)
npm install --silent --offline --no-audit --no-fund --prefix "$scratch/install" \
    "$scratch/vellumfall-$version.tgz"
game=$scratch/install/node_modules/.bin/vellumfall

bash "$(dirname "$0")/../run-transcript.sh" "$game" "$transcripts/walkthrough.in" \
    "$transcripts/walkthrough.out"

failed=0
expect() {
    local what=$1 wanted_status=$2 wanted_output=$3 status=0 output
    output=$("${@:4}" 2>&1) || status=$?
    if [ "$status" -ne "$wanted_status" ] || [ "$output" != "$wanted_output" ]; then
        echo "$what: status $status and \"$output\", not $wanted_status and \"$wanted_output\""
        failed=1
    fi
}
expect "--version" 0 "vellumfall $version" "$game" --version
expect "an unknown argument" 2 "vellumfall: unknown argument '-x'; try 'vellumfall --help'" \
    "$game" -x
expect "a directory for input" 1 "vellumfall: cannot read input: Is a directory" \
    sh -c '"$1" <"$2" >/dev/null' sh "$game" "$scratch"
expect "a full disk" 1 "vellumfall: cannot write output: No space left on device" \
    sh -c '"$1" <"$2" >/dev/full' sh "$game" "$transcripts/walkthrough.in"
exit "$failed"
