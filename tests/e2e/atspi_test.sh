#!/bin/sh
# Runs tests/e2e/atspi_test.py on an X server and a session bus of its own, where the game shows
# its accessible tree to AT-SPI. Usage: atspi_test.sh LAUNCHER
set -eu
here=$(dirname "$(readlink -f "$0")")
# The AT-SPI bindings are the system's (python3-gi, gir1.2-atspi-2.0), so the system's interpreter.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

tmp=$(mktemp -d)
xvfb=
trap '[ -z "$xvfb" ] || kill $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
# A display number drawn at random from the high ones: the low ones are where other X servers, and
# tests running beside this one, start theirs, and a server that comes and goes at the same number
# makes the game's connection fail now and then.
for try in 1 2 3 4 5 6 7 8 9 10; do
  n=$(( $(od -An -N2 -tu2 /dev/urandom) % 5000 + 1000 ))
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp 2>"$tmp/xvfb.log" &
  xvfb=$!
  for i in $(seq 100); do
    DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && break 2
    kill -0 $xvfb 2>/dev/null || break
    sleep 0.1
  done
  kill $xvfb 2>/dev/null || true
  xvfb=
done
[ -n "$xvfb" ] || { cat "$tmp/xvfb.log" >&2; echo "no X server could be started" >&2; exit 1; }
DISPLAY=":$n"
QT_QPA_PLATFORM=xcb  # whatever platform the calling environment names
export DISPLAY QT_QPA_PLATFORM

status=0
dbus-run-session -- "$python" "$here/atspi_test.py" "$1" || status=$?
[ "$status" = 0 ] || cat "$tmp/xvfb.log" >&2
exit "$status"
