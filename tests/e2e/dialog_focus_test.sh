#!/bin/sh
# Runs tests/e2e/dialog_focus_test.py on an X server, a session bus and a window manager (openbox) of its
# own, beside two busy processes the script starts. Usage: dialog_focus_test.sh LAUNCHER
set -eu
here=$(dirname "$(readlink -f "$0")")
# The AT-SPI bindings are the system's (python3-gi, gir1.2-atspi-2.0), so the system's interpreter.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM
# As in atspi_test.sh: a server that does not reset when its last client leaves, on a random display.
exec xvfb-run -a -n $(( $(od -An -N2 -tu2 /dev/urandom) % 400 + 500 )) -e /dev/stderr \
  -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- sh -c '
    openbox --config-file /dev/null >/dev/null 2>&1 & wm=$!
    "$1" "$2" "$3"; status=$?
    kill $wm; exit $status' sh "$python" "$here/dialog_focus_test.py" "$1"
