#!/usr/bin/env bash
# Installs the built game into a scratch prefix, as `cmake --install build --prefix DIR`
# does for a player, and checks that the game and its manual land where Debian keeps them,
# that nothing else is installed, that the installed game runs and its desktop entry starts
# it, and that the manual renders cleanly and lists the controls exactly as the game's
# Controls screen does.
# Usage: install-prefix.sh BUILD_DIR SOURCE_DIR
set -u
build=$1
source=$2
# shellcheck source=common.sh
. "$(dirname "$0")/common.sh"
require_tools cmake groff man

prefix=$scratch/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi

game=$prefix/games/vellumfall
manual=$prefix/share/man/man6/vellumfall.6

expected_files='games/vellumfall
share/applications/vellumfall.desktop
share/doc/vellumfall/changelog
share/doc/vellumfall/copyright
share/icons/hicolor/scalable/apps/vellumfall.svg
share/man/man6/vellumfall.6
share/metainfo/org.example.vellumfall.metainfo.xml'
actual_files=$(files_under "$prefix")
if [ "$actual_files" != "$expected_files" ]; then
    fail "the install does not hold exactly the expected files:"
    diff -u --label expected --label installed <(echo "$expected_files") <(echo "$actual_files")
fi

if [ ! -f "$game" ] || [ ! -x "$game" ]; then
    fail "$game is not an executable file"
else
    # The installed copy must be the playable game, whatever install did to it.
    title_menu_of "$build/vellumfall" >"$scratch/menu.expected"
    title_menu_of "$game" >"$scratch/menu.installed"
    status=$?
    [ "$status" -eq 0 ] || fail "the installed game quit from the title menu with status $status"
    cmp -s "$scratch/menu.expected" "$scratch/menu.installed" ||
        fail "the installed game prints another title menu than the built one"
fi

# The changelog and the software centres' metainfo both name the version the game says it is.
version=$("$build/vellumfall" --version)
version=${version#vellumfall }
head -n 1 "$prefix/share/doc/vellumfall/changelog" | grep -qF "vellumfall ($version) " ||
    fail "the installed changelog's latest entry is not for version $version"
grep -qF "<release version=\"$version\" " "$prefix/share/metainfo/org.example.vellumfall.metainfo.xml" ||
    fail "the installed metainfo has no release $version"

# A menu entry must start the game of this install, not one that may not be there.
entry=$prefix/share/applications/vellumfall.desktop
if [ -f "$entry" ]; then
    grep -qx "Exec=$game" "$entry" ||
        fail "the desktop entry does not run $game: $(grep '^Exec=' "$entry")"
fi

if [ ! -f "$manual" ]; then
    fail "the manual is not at $manual"
    exit 1
fi
cmp -s "$source/packaging/vellumfall.6" "$manual" ||
    fail "the installed manual differs from packaging/vellumfall.6"

# groff's own warnings, all of them (-ww): a page that renders with complaints renders wrong
# somewhere.
groff -ww -z -man -Tutf8 "$manual" 2>"$scratch/groff.log"
if [ -s "$scratch/groff.log" ]; then
    fail "groff warns about the manual:"
    cat "$scratch/groff.log"
fi

env -u MAN_KEEP_FORMATTING -u MANOPT MANWIDTH=80 man -l "$manual" >"$scratch/manual.txt" \
    2>"$scratch/man.log"
status=$?
if [ "$status" -ne 0 ] || [ -s "$scratch/man.log" ]; then
    fail "man -l failed with status $status:"
    cat "$scratch/man.log"
fi
head -n 1 "$scratch/manual.txt" | grep -q '^VELLUMFALL(6) ' ||
    fail "the rendered manual does not start with the VELLUMFALL(6) header"

# The Controls screen is what the game prints between the title menu it leaves on "1" and
# the one it shows again before quitting on "3".
if [ -x "$game" ]; then
    printf '1\n3\n' | "$game" >"$scratch/controls-session.txt"
    menu_size=$(wc -c <"$scratch/menu.installed")
    session_size=$(wc -c <"$scratch/controls-session.txt")
    controls_size=$((session_size - 2 * menu_size))
    if [ "$controls_size" -le 0 ]; then
        fail "the game printed no Controls screen for the choice 1"
    else
        tail -c +$((menu_size + 1)) "$scratch/controls-session.txt" | head -c "$controls_size" |
            sed 's/[[:blank:]]*$//' >"$scratch/controls.txt"
        sed 's/^[[:blank:]]*//; s/[[:blank:]]*$//' "$scratch/manual.txt" >"$scratch/manual-lines.txt"
        listed=0
        while IFS= read -r control; do
            [ -n "$control" ] || continue
            listed=$((listed + 1))
            grep -qxF -- "$control" "$scratch/manual-lines.txt" ||
                fail "the manual does not list the control line '$control' on a line of its own"
        done <"$scratch/controls.txt"
        [ "$listed" -ge 5 ] || fail "only $listed control lines were found on the Controls screen"
    fi
fi

if [ "$failed" -eq 0 ]; then
    echo "Installed into a scratch prefix: game, manual, desktop entry and copyright in place."
fi
exit "$failed"
