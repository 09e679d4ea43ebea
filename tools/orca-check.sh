#!/usr/bin/env bash
# What Orca says as a player plays the page: on an Xvfb display, in a D-Bus session of its
# own, Orca runs with its debug log, the browser opens the page, xdotool types four lines,
# reloads and types one more, then goes back to Undo and presses it twice, and the first
# line of everything Orca said after each step is printed. Each answer should be said
# alone, nothing after the reload but the input and "Loading the game…" until the next
# answer, and each undo only the turn it goes back to.
# Needs Debian's orca, xvfb, at-spi2-core, xdotool, and chromium or firefox-esr; run as the
# session's user (root is fine), after the web workflow.
# Usage: tools/orca-check.sh chromium|firefox [BUILD_DIR]
set -euo pipefail
browser=$1
build=$(realpath "${2:-build-web}")
work=$(mktemp -d)
port=8123
display=:97

if [ -z "${ORCA_CHECK_INSIDE:-}" ]; then
    node "$(dirname "$0")/../tests/web/serve.js" "$build/site" $port >/dev/null &
    server=$!
    Xvfb $display -screen 0 1280x900x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $server $xvfb; sleep 1; rm -rf "$work"' EXIT
    until curl -sf "http://127.0.0.1:$port/" >/dev/null; do sleep 1; done
    DISPLAY=$display ORCA_CHECK_INSIDE=$work timeout 300 dbus-run-session -- "$0" "$@"
    exit
fi

work=$ORCA_CHECK_INSIDE
log=$work/orca.log
/usr/libexec/at-spi-bus-launcher --launch-immediately &
sleep 2
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null || true
orca --replace --debug-file="$log" &
sleep 10
export GNOME_ACCESSIBILITY=1 ACCESSIBILITY_ENABLED=1
if [ "$browser" = chromium ]; then
    chromium --no-sandbox --force-renderer-accessibility --disable-gpu --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" "http://127.0.0.1:$port/" >/dev/null 2>&1 &
else
    mkdir -p "$work/profile"
    firefox-esr --no-remote --profile "$work/profile" "http://127.0.0.1:$port/" >/dev/null 2>&1 &
fi
# Until the page has loaded and the game waits (Orca has said its first line), at most 90 s.
for _ in $(seq 90); do
    grep -q "SPEECH OUTPUT: 'Welcome to Vellumfall" "$log" && break
    sleep 1
done
sleep 3

seen=0
said() {
    local lines
    lines=$(wc -l <"$log")
    echo "== $1"
    sed -n "$((seen + 1)),${lines}p" "$log" | grep -o "SPEECH OUTPUT: '[^']*" | cut -c 17- |
        grep -v '^$' || true
    seen=$lines
}

# Without a window manager the browser's window, the only one, has the keys already.
xdotool windowactivate "$(xdotool search --onlyvisible --name Vellumfall | head -1)" \
    2>/dev/null || true
sleep 2
said 'the page loaded'
for line in 0 n l i; do
    xdotool type --delay 80 "$line"
    xdotool key Return
    sleep 6
    said "$line"
done
xdotool key F5
sleep 20
said 'the reload'
xdotool type --delay 80 i
xdotool key Return
sleep 10
said 'i after the reload'
# From the input back past the log, Map, Settings and Saves.
for _ in 1 2 3 4 5; do
    xdotool key shift+Tab
    sleep 1
done
sleep 3
said 'the focus on Undo'
xdotool key Return
sleep 10
said 'undo'
xdotool key Return
# Orca speaks seconds late on a loaded machine: time for the last answer to come.
sleep 25
said 'undo again'
