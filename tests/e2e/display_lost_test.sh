#!/usr/bin/env bash
# The X server killed under the game (a crash, a logout that ends it first): the game keeps its game,
# with the digits just typed and the time it had, before it ends; on a new X server the next start
# brings it back. The script runs its own Xvfb, which it kills and starts again.
# Usage: display_lost_test.sh VELMORA-BINARY   (needs Xvfb, xdotool, x11-utils)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done
game=$(realpath "$1")
enter_scratch_folder
server=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; [ -z "$server" ] || kill "$server" 2>/dev/null; rm -rf "$tmp"' EXIT
prepare_folder
kept="game in play.txt"

# Starts an X server on a display it chooses (the first time) or on the same one again; sets DISPLAY.
start_server() {
  if [ -z "${DISPLAY_NUMBER:-}" ]; then
    rm -f display.txt
    Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>display.txt 2>xvfb.log &
    server=$!
    wait_for 10 test -s display.txt || { cat xvfb.log >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
    DISPLAY_NUMBER=$(cat display.txt)
  else
    Xvfb ":$DISPLAY_NUMBER" -screen 0 1024x768x24 -noreset -nolisten tcp 2>xvfb.log &
    server=$!
  fi
  export DISPLAY=":$DISPLAY_NUMBER"
  wait_for 10 xwininfo -root >/dev/null 2>&1 || { cat xvfb.log >&2; echo "FAIL: Xvfb did not answer" >&2; exit 1; }
}
start_game() {
  QT_QPA_PLATFORM=xcb "$game" 2>game.err &
  pid=$!
  main=$(find_window '^Velmora1\.5$')
  [ -n "$main" ] || { cat game.err >&2; echo "FAIL: the main window did not open" >&2; exit 1; }
  locate_main "$main"
}
ended() { ! kill -0 "$pid" 2>/dev/null; }
kept_centre() { sed -n 41p "$kept" 2>/dev/null | tr -d '\r'; }
kept_ms() { sed -n 84p "$kept" 2>/dev/null | tr -d '\r'; }

step "the X server killed just after two digits are typed: the game keeps them, with its time"
start_server
start_game
take_collection_puzzle || exit 1
sleep 2.5  # the clock runs
click "$(cell_x 5)" "$(cell_y 5)"
xdotool type 12
sleep 0.2
kill -9 "$server"
wait "$server" 2>/dev/null
server=
wait_for 10 ended || fail "the game did not end when its X server went"
[ "$(kept_centre)" = 012 ] || fail "the kept centre cell is '$(kept_centre)', not 12 ($(cat game.err))"
ms=$(kept_ms)
[ "${ms:-0}" -ge 2000 ] || fail "the kept time is '${ms}' ms, not the 2 s and more the clock ran"
grep -q "display is gone" game.err || fail "standard error did not say why the game closed: $(cat game.err)"

step "a new X server: the next start brings the game back"
start_server
start_game
kill -TERM "$pid"
wait_for 10 ended || fail "the game did not end on SIGTERM"
[ "$(kept_centre)" = 012 ] || fail "brought back and closed: the kept centre cell is '$(kept_centre)'"
[ "$(kept_ms)" -ge "${ms:-0}" ] || fail "the clock went back from ${ms} ms to $(kept_ms) ms"
! grep -q "not brought back" game.err || fail "the kept game was not brought back: $(cat game.err)"

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
