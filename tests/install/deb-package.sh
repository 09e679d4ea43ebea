#!/usr/bin/env bash
# Checks a built Debian package as apt would see it: its name and control fields (the
# project's version, section games, dependencies found by dpkg-shlibdeps), its contents
# under /usr, their checksums, and that the packaged game, manual, changelog, metainfo and
# desktop entry work together: the game plays the walkthrough byte for byte.
# Usage: deb-package.sh DEB SOURCE_DIR VERSION
set -u
deb=$1
source=$2
version=$3
# shellcheck source=common.sh
. "$(dirname "$0")/common.sh"
require_tools dpkg dpkg-deb gzip md5sum

arch=$(dpkg --print-architecture)
expected_name=vellumfall_${version}_${arch}.deb
[ "$(basename "$deb")" = "$expected_name" ] || fail "the package is named $(basename "$deb"), not $expected_name"

# The control fields.
field() {
    dpkg-deb -f "$deb" "$1"
}
check_field() {
    local value
    value=$(field "$1")
    [ "$value" = "$2" ] || fail "the field $1 is '$value', not '$2'"
}
check_field Package vellumfall
check_field Version "$version"
check_field Architecture "$arch"
check_field Section games
field Maintainer | grep -qE '^[^<>]+ <[^<> @]+@[^<> ]+>$' ||
    fail "the field Maintainer is '$(field Maintainer)', not a name and an address"
depends=$(field Depends)
# The package is always built with line editing.
for library in libc6 libstdc++6 libedit2; do
    echo "$depends" | sed 's/[,|]/\n/g' | sed 's/^ *//; s/[ (:].*//' | grep -qxF -- "$library" ||
        fail "the field Depends is '$depends': $library is missing (dpkg-shlibdeps did not run, or the game was built without libedit)"
done
[ "$(field Description | wc -l)" -ge 2 ] ||
    fail "the Description has no long description under its summary"

# The contents: exactly these files, owned by root, with these modes, and folders only on
# the way to them.
dpkg-deb -c "$deb" >"$scratch/contents.txt"
expected_files='-rwxr-xr-x root/root ./usr/games/vellumfall
-rw-r--r-- root/root ./usr/share/applications/vellumfall.desktop
-rw-r--r-- root/root ./usr/share/doc/vellumfall/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/vellumfall/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/vellumfall.svg
-rw-r--r-- root/root ./usr/share/lintian/overrides/vellumfall
-rw-r--r-- root/root ./usr/share/man/man6/vellumfall.6.gz
-rw-r--r-- root/root ./usr/share/metainfo/org.example.vellumfall.metainfo.xml'
actual_files=$(awk '$1 !~ /^d/ { print $1, $2, $6 }' "$scratch/contents.txt" | LC_ALL=C sort -k3,3)
if [ "$actual_files" != "$expected_files" ]; then
    fail "the package does not hold exactly the expected files:"
    diff -u --label expected --label packaged <(echo "$expected_files") <(echo "$actual_files")
fi
awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root" || $6 !~ /^\.\/(usr\/.*)?$/)' \
    "$scratch/contents.txt" >"$scratch/odd-folders.txt"
if [ -s "$scratch/odd-folders.txt" ]; then
    fail "folders outside /usr, or not root's with mode 755:"
    cat "$scratch/odd-folders.txt"
fi

# Unpacked as dpkg would unpack it.
unpacked=$scratch/unpacked
dpkg-deb -R "$deb" "$unpacked"
if [ ! -s "$unpacked/DEBIAN/md5sums" ]; then
    fail "the package has no md5sums"
else
    (cd "$unpacked" && md5sum --quiet -c DEBIAN/md5sums) >"$scratch/md5.log" 2>&1 ||
        { fail "the md5sums do not match the packaged files:"; cat "$scratch/md5.log"; }
    [ "$(wc -l <"$unpacked/DEBIAN/md5sums")" -eq 8 ] ||
        fail "the md5sums do not cover exactly the eight packaged files"
fi

game=$unpacked/usr/games/vellumfall
if [ -x "$game" ]; then
    [ "$("$game" --version)" = "vellumfall $version" ] ||
        fail "the packaged game says it is '$("$game" --version)', not vellumfall $version"
    bash "$source/tests/run-transcript.sh" "$game" "$source/tests/transcripts/walkthrough.in" \
        "$source/tests/transcripts/walkthrough.out" ||
        fail "the packaged game does not play the walkthrough"
fi

for compressed in man/man6/vellumfall.6 doc/vellumfall/changelog; do
    packaged=$unpacked/usr/share/$compressed.gz
    if [ -f "$packaged" ]; then
        original=$source/packaging/vellumfall.6
        [ "$compressed" = doc/vellumfall/changelog ] && original=$source/debian/changelog
        gzip -dc "$packaged" | cmp -s - "$original" ||
            fail "the packaged $compressed.gz does not unpack to ${original#"$source"/}"
    fi
done
# The changelog's latest entry is this version: Debian's tools read it from there.
zcat "$unpacked/usr/share/doc/vellumfall/changelog.gz" 2>/dev/null | head -n 1 |
    grep -qF "vellumfall ($version) " ||
    fail "the changelog's latest entry is not for version $version"

# The desktop entry must start the packaged game in a terminal: it is a console game.
entry=$unpacked/usr/share/applications/vellumfall.desktop
if [ -f "$entry" ]; then
    cmp -s "$entry" "$source/packaging/vellumfall.desktop" ||
        fail "the packaged desktop entry differs from packaging/vellumfall.desktop"
    exec_line=$(grep '^Exec=' "$entry")
    command=${exec_line#Exec=}
    [ "$command" = /usr/games/vellumfall ] ||
        fail "the desktop entry runs '$command', not /usr/games/vellumfall"
    grep -qx 'Terminal=true' "$entry" || fail "the desktop entry does not open a terminal"
    grep -qx 'Type=Application' "$entry" || fail "the desktop entry is not of type Application"
    grep -qE '^Categories=(.*;)?Game;' "$entry" || fail "the desktop entry is not in the Game category"
fi

grep -qF "<release version=\"$version\" " \
    "$unpacked/usr/share/metainfo/org.example.vellumfall.metainfo.xml" 2>/dev/null ||
    fail "the packaged metainfo has no release $version"

if [ "$failed" -eq 0 ]; then
    echo "Checked $expected_name."
fi
exit "$failed"
