#!/usr/bin/env bash
# The game in play under a real window manager (openbox) on Xvfb: undo and redo by their keys, pause
# (no digit on the screen), the game kept when the window manager closes the window, when the system
# ends the game and when the game is killed, brought back at the next start with its time, a hinted
# game killed at once brought back out of the records, a damaged
# kept file moved aside, and the hint: its tint on the screen, one digit a step, and hints to the end
# with no record.
# Usage: in_play_test.sh VELMORA-BINARY   (needs xvfb-run, openbox, xdotool, wmctrl, xwininfo, imagemagick)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="openbox xdotool wmctrl xwininfo xprop import convert" own_x_server "$0" "$@"
game=$(realpath "$1")
enter_scratch_folder
start_openbox || { echo "FAIL: openbox did not start" >&2; exit 1; }
prepare_folder
kept="game in play.txt"

ended() { ! kill -0 "$pid" 2>/dev/null; }
# The last copy has ended first: a copy still ending holds the kept game, and its window would be found.
main_window() { main=$(titled Velmora1.5 | head -1); [ -n "$main" ]; }
start_game() {
  [ -z "$pid" ] || wait_for 30 ended || { echo "FAIL: the last copy of the game did not end" >&2; exit 1; }
  QT_QPA_PLATFORM=xcb "$game" 2>game.err &
  pid=$!
  wait_for 60 main_window || { cat game.err >&2; echo "FAIL: the main window did not open" >&2; exit 1; }
  # A window manager may still be placing the window: it is clicked once it stands still.
  local before=
  steady() { [ "$before" = "$(geometry "$main")" ] || { before=$(geometry "$main"); false; }; }
  wait_for 10 steady
  locate_main "$main"
}
# The text of the centre cell (row 5, column 5) in the kept file, and its elapsed milliseconds.
kept_centre() { sed -n 41p "$kept" 2>/dev/null | tr -d '\r'; }
kept_ms() { sed -n 84p "$kept" | tr -d '\r'; }
centre_is() { [ "$(kept_centre)" = "$1" ]; }
# The number of colours in the top left cell of the board on the screen: a clue's digit gives many.
colours_of_a_clue() { import -window root -crop "40x40+$(( cx + 7 ))+$(( cy + 36 ))" +repage -format %k info:; }
clue_hidden() { [ "$(colours_of_a_clue)" -le 1 ]; }
clue_shown() { [ "$(colours_of_a_clue)" -gt 2 ]; }
# The clock's pixels on the screen; waits until it has shown `$1` new times (each a second more).
clock_shot() { import -window root -crop "80x22+$(( cx + 238 ))+$(( cy + 2 ))" +repage -depth 8 rgb:- | md5sum; }
clock_ticks() {
  local n shown
  for n in $(seq "$1"); do
    shown=$(clock_shot)
    moved() { [ "$(clock_shot)" != "$shown" ]; }
    wait_for 10 moved || fail "the clock stood still"
  done
}
# The pixels of the cell at row 2, column 8: the mouse moved onto row 2 tints it, which tells that the
# game has taken every key typed before the move.
cell_shot() { import -window root -crop "40x40+$(( $(cell_x 8) - 20 ))+$(( $(cell_y 2) - 20 ))" +repage -depth 8 rgb:- | md5sum; }
keys_taken() {
  local before
  before=$(cell_shot)
  xdotool mousemove "$(cell_x 8)" "$(cell_y 2)" mousemove "$(cell_x 7)" "$(cell_y 2)"
  tinted_row() { [ "$(cell_shot)" != "$before" ]; }
  wait_for 10 tinted_row || fail "the game did not take the keys typed"
}

step "undo and redo by their keys; the change is kept within two seconds"
start_game
tool 176  # 精选题目: the one puzzle, with only the centre cell open
tk=$(find_window '^\[e2e\]$')
[ -n "$tk" ] || { echo "FAIL: the collection dialog did not open" >&2; exit 1; }
eval "$(geometry "$tk")"
click $(( X + 232 + 37 )) $(( Y + 378 + 12 ))  # 确定
wait_for 10 collection_gone || fail "the collection dialog stayed open"
click "$(cell_x 5)" "$(cell_y 5)"
xdotool type 12
wait_for 10 centre_is 012 || fail "typed 12: the kept centre cell is '$(kept_centre)'"
xdotool key ctrl+z
wait_for 10 centre_is 01 || fail "Ctrl+Z: the kept centre cell is '$(kept_centre)', not 1"
xdotool key ctrl+y
wait_for 10 centre_is 012 || fail "Ctrl+Y: the kept centre cell is '$(kept_centre)', not 12"
xdotool key ctrl+z ctrl+z
wait_for 10 centre_is 0 || fail "Ctrl+Z twice: the kept centre cell is '$(kept_centre)', not empty"
xdotool key ctrl+shift+z
wait_for 10 centre_is 01 || fail "Ctrl+Shift+Z: the kept centre cell is '$(kept_centre)', not 1"

step "pause: no digit on the screen, and the clock stands"
[ "$(colours_of_a_clue)" -gt 2 ] || fail "no clue seen before the pause"
xdotool key ctrl+p
wait_for 10 clue_hidden || { import -window root paused.png; fail "a digit shows while paused"; }
xdotool key ctrl+p
wait_for 10 clue_shown || fail "the board did not come back"

step "the window manager's close keeps the game; the next start brings it back with its time"
clock_ticks 2
wmctrl -i -c "$(printf '0x%x' "$main")"
wait_for 30 ended || fail "the game did not end on the window manager's close"
centre_is 01 || fail "closed: the kept centre cell is '$(kept_centre)'"
ms=$(kept_ms)
[ "${ms:-0}" -ge 2000 ] || fail "the kept time is ${ms}ms"
start_game
clock_ticks 2
wmctrl -i -c "$(printf '0x%x' "$main")"
wait_for 30 ended || fail "the game did not end the second time"
centre_is 01 || fail "brought back and closed: the centre cell is '$(kept_centre)'"
[ "$(kept_ms)" -ge $(( ms + 2000 )) ] || fail "the clock did not go on from ${ms}ms: $(kept_ms)ms"

step "the system's request to end (a logout's SIGTERM) keeps the game at once"
start_game
click "$(cell_x 5)" "$(cell_y 5)"
xdotool key End type 3
keys_taken
kill -TERM "$pid"
wait_for 30 ended || fail "the game did not end on SIGTERM"
centre_is 013 || fail "ended by SIGTERM: the kept centre cell is '$(kept_centre)', not 13"
start_game
click "$(cell_x 5)" "$(cell_y 5)"
xdotool key End BackSpace
wait_for 10 centre_is 01 || fail "the centre cell did not go back to 1: '$(kept_centre)'"
kill -TERM "$pid"
wait_for 30 ended || fail "the game did not end on the second SIGTERM"

step "killed two seconds after a change, the game comes back with that change"
start_game
click "$(cell_x 5)" "$(cell_y 5)"
xdotool key End type 7
wait_for 10 centre_is 017 || fail "the 7 typed was not kept within seconds: '$(kept_centre)'"
kill -9 "$pid"
wait_for 30 ended || fail "the game did not end on SIGKILL"
centre_is 017 || fail "killed: the kept centre cell is '$(kept_centre)', not 17"

step "killed as soon as the hint's first press shows: the game comes back out of the records"
start_game
hint_colours() { import -window root -crop "101x244+$(( cx + 448 ))+$(( cy + 222 ))" +repage -format %k info:; }
before=$(hint_colours)
[ "$(sed -n 85p "$kept" | tr -d '\r')" = 1 ] || fail "the kept game does not count for a record before the hint"
xdotool key ctrl+h
hint_shown() { [ "$(hint_colours)" != "$before" ]; }
wait_for 10 hint_shown || fail "the hint's words did not show"
kill -9 "$pid"
wait_for 5 ended
[ "$(sed -n 85p "$kept" | tr -d '\r')" = 0 ] || fail "killed after the hint, the kept game still counts for a record"
start_game
click "$(cell_x 5)" "$(cell_y 5)"
xdotool key End BackSpace BackSpace type 9
if wait_for 3 record_up; then fail "a hinted game brought back opened the new-record dialog"; fi
kill -TERM "$pid"
wait_for 10 ended

step "a damaged kept file is moved aside, said in one line, and the game starts as without one"
printf 'not a game\r\n' >"$kept"
start_game
[ "$(cat "$kept.damaged-1" 2>/dev/null)" = "$(printf 'not a game\r\n')" ] || fail "the damaged file was not moved aside whole"
[ ! -e "$kept" ] || fail "the damaged file is still in place"
[ "$(grep -c 'not brought back' game.err)" = 1 ] || fail "standard error did not say it once: $(cat game.err)"
[ "$(xdotool search --onlyvisible --pid "$pid" | wc -l)" = 1 ] || fail "a window besides the main one opened"

step "the hint: its cells tinted and its target outlined on the screen, then one digit placed"
kill "$pid" 2>/dev/null
start_game
tool 84  # 初级
cp phb.txt phb.before
# The number of pixels of a colour in the board on the screen.
pixels_of() {
  import -window root -crop "441x441+$(( cx + 3 ))+$(( cy + 32 ))" +repage -depth 8 txt:- | grep -c "$1"
}
tinted() { [ "$(pixels_of '#FFF09A')" -gt 100 ]; }
outlined() { [ "$(pixels_of '#F08000')" -gt 50 ]; }
untinted() { [ "$(pixels_of '#FFF09A')" = 0 ]; }
xdotool key ctrl+h ctrl+h
wait_for 10 tinted || fail "no cell tinted by the hint"
wait_for 10 outlined || fail "no target outlined by the hint"
digits() { sed -n 1,81p "$kept" 2>/dev/null | tr -d '\r' | grep -c '^0[1-9]$'; }
xdotool key ctrl+h
wait_for 10 test -e "$kept" || fail "the hint's step was not kept"
[ "$(digits)" = 1 ] || fail "the third press placed $(digits) digits"
wait_for 10 untinted || fail "the tint stayed after the step"

step "hints to the end: the board full, no new-record dialog, the record file as it was"
xdotool key --delay 25 $(printf 'ctrl+h %.0s' $(seq 250))
finished() { [ ! -e "$kept" ]; }
wait_for 10 finished || fail "the board was not finished by hints: $(digits) digits placed"
if wait_for 2 record_up; then fail "a hinted game opened the new-record dialog"; fi
cmp -s phb.txt phb.before || fail "phb.txt changed"

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
