#!/bin/sh
# Runs tests/e2e/atspi_test.py on an X server and a session bus of its own, where the game shows
# its accessible tree to AT-SPI. Usage: atspi_test.sh LAUNCHER
set -eu
here=$(dirname "$(readlink -f "$0")")
# The AT-SPI bindings are the system's (python3-gi, gir1.2-atspi-2.0), so the system's interpreter.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

tmp=$(mktemp -d)
# The server picks a free display itself and writes its number once it takes connections: no race
# with other servers that start at the same time.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
for i in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY
xdotool getdisplaygeometry >/dev/null  # the server answers
dbus-run-session -- "$python" "$here/atspi_test.py" "$1"
