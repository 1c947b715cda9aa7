#!/bin/sh
# Runs tests/e2e/atspi_test.py (or another script of this folder that reads the game's AT-SPI tree) on
# an X server, a session bus and a window manager of its own, where the game shows its accessible tree
# to AT-SPI. Usage: atspi_test.sh LAUNCHER [SCRIPT]
set -eu
here=$(dirname "$(readlink -f "$0")")
# The AT-SPI bindings are the system's (python3-gi, gir1.2-atspi-2.0), so the system's interpreter.
python=/usr/bin/python3
[ -x "$python" ] || python=python3

# The server must not reset when its last client leaves: the AT-SPI bus launcher connects, sets its
# root-window property and leaves just as the game starts, and a server resetting then drops the
# game's connection. A random first display number keeps runs that start at once apart.
QT_QPA_PLATFORM=xcb  # whatever platform the calling environment names
export QT_QPA_PLATFORM
# Under a window manager (openbox), which gives the main window back its activation when a dialog
# closes, as a desktop does.
exec xvfb-run -a -n $(( $(od -An -N2 -tu2 /dev/urandom) % 400 + 500 )) -e /dev/stderr \
  -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- sh -c '
    openbox --config-file /dev/null >/dev/null 2>&1 & wm=$!
    "$1" "$2" "$3"; status=$?
    kill $wm; exit $status' sh "$python" "$here/${2:-atspi_test.py}" "$1"
