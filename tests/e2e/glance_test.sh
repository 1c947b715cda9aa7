#!/usr/bin/env bash
# At a glance, on a real window under a window manager (openbox) on Xvfb: the focused digit's tint
# counted on the screen and its check item kept across starts; every candidate by Ctrl+M and taken back
# by one Ctrl+Z; the statistics after two finished games, one with a hint; and a puzzle printed to a PDF
# file through the print dialog and read back (grid lines and digits).
# Usage: glance_test.sh VELMORA-BINARY   (needs xvfb-run, openbox, xdotool, imagemagick, iconv, pdftoppm)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="openbox xdotool import convert iconv pdftoppm python3" own_x_server "$0" "$@"
game=$(realpath "$1")
enter_scratch_folder
start_openbox || { echo "FAIL: openbox did not start" >&2; exit 1; }
prepare_folder
kept="game in play.txt"

start_game() {
  QT_QPA_PLATFORM=xcb "$game" 2>game.err &
  pid=$!
  main=$(find_window '^Velmora1\.5$')
  [ -n "$main" ] || { cat game.err >&2; echo "FAIL: the main window did not open" >&2; exit 1; }
  local before=
  until [ "$before" = "$(geometry "$main")" ]; do before=$(geometry "$main"); sleep 0.3; done
  locate_main "$main"
}
stop_game() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
# The 游戏 menu's item `$1` places above its last (0: the last), chosen by keys: Up from the first item
# wraps round to the last. Greyed items are passed over.
game_menu_from_end() {
  local before
  before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
  xdotool key alt
  xdotool key Return
  more_windows() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$before" ]; }
  wait_for 5 more_windows || { echo "FAIL: the menu did not open" >&2; return 1; }
  xdotool key --repeat $(( $1 + 1 )) Up
  xdotool key Return
}
# The number of pixels of a colour in the board on the screen.
pixels_of() {
  import -window root -crop "441x441+$(( cx + 3 ))+$(( cy + 32 ))" +repage -depth 8 txt:- | grep -c "$1"
}
same=AAE6A0  # the focused digit's tint

step "the focused digit: every other cell holding it tinted on the screen"
start_game
take_collection_puzzle
click "$(cell_x 1)" "$(cell_y 1)"  # a clue 1; eight more 1s on the board
sleep 0.5
tinted=$(pixels_of "#$same")
# Eight cells of 47 x 47 pixels, less their digit.
if [ "$tinted" -lt 8000 ] || [ "$tinted" -gt $(( 8 * 47 * 47 )) ]; then
  import -window root tint.png
  fail "the other 1s were tinted with $tinted pixels"
fi

step "its check item turns it off, and the choice is kept for the next start"
game_menu_from_end 4  # 同数高亮
sleep 0.5
[ "$(pixels_of "#$same")" = 0 ] || fail "the tint stayed after its item was turned off"
[ "$(iconv -f CP936 -t UTF-8 settings.txt | tr -d '\r' | head -1)" = "同数高亮=0" ] || fail "settings.txt: $(cat settings.txt)"
stop_game
start_game
take_collection_puzzle
click "$(cell_x 1)" "$(cell_y 1)"
sleep 0.5
[ "$(pixels_of "#$same")" = 0 ] || fail "the next start showed the tint again"
game_menu_from_end 4
sleep 0.5
[ "$(pixels_of "#$same")" -gt 8000 ] || fail "turned on again, no tint"

step "every candidate by Ctrl+M, and one Ctrl+Z takes it back"
tool 84  # 初级
sleep 0.5
marked() { sed -n 1,81p "$kept" 2>/dev/null | tr -d '\r' | grep -c '^0[1-9][1-9]'; }
xdotool key ctrl+m
many() { [ "$(marked)" -gt 20 ]; }
wait_for 5 many || fail "Ctrl+M: $(marked) cells with marks kept"
xdotool key ctrl+z
gone() { [ "$(marked)" = 0 ]; }
wait_for 5 gone || fail "Ctrl+Z: $(marked) cells still with marks"

step "the statistics after two finished games, one with a hint"
stats_line() { iconv -f CP936 -t UTF-8 stats.txt 2>/dev/null | tr -d '\r' | grep "^$1 "; }
finish_collection_puzzle || fail "the first collection game did not finish"
xdotool key Return  # the record stored
wait_for 10 record_gone || fail "the new-record dialog stayed open"
take_collection_puzzle
xdotool key ctrl+h ctrl+h ctrl+h
two() { [ "$(stats_line 中级 | cut -d' ' -f3,4)" = "2 1" ]; }
wait_for 10 two || fail "中级 statistics: '$(stats_line 中级)'"
game_menu_from_end 1  # 统计
tj=$(find_window '^统计$')
[ -n "$tj" ] || fail "the statistics window did not open"
xdotool key Escape
closed() { ! xdotool search --onlyvisible --name '^统计$' >/dev/null; }
wait_for 5 closed || fail "Escape did not close the statistics window"

step "printing: the puzzle in play to a PDF file through the print dialog, read back"
take_collection_puzzle
game_menu_from_end 0  # 打印
dy=$(find_window '^打印$')
[ -n "$dy" ] || fail "the print window did not open"
xdotool key Tab Tab Return  # past the greyed choices of new puzzles, to 打印
sleep 2
printed() { [ -s 数独.pdf ]; }
xdotool key Return  # the print dialog: with no printer, a PDF file in the game folder
wait_for 20 printed || { import -window root print.png; fail "no PDF was printed"; }
pdftoppm -r 100 -gray -singlefile 数独.pdf page 2>/dev/null
python3 - page.pgm <<'PY' || fail "the page read back is not the puzzle"
import sys
data = open(sys.argv[1], 'rb').read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pix = parts[4]
dark = lambda x, y: pix[y * w + x] < 128
cols = [x for x in range(w) if sum(dark(x, y) for y in range(0, h, 2)) * 2 > h // 3]
lines = []
for x in cols:
    if lines and lines[-1][1] == x - 1: lines[-1][1] = x
    else: lines.append([x, x])
assert len(lines) == 10, lines
left, cell = lines[0][0], (lines[9][0] - lines[0][0]) // 9
top = next(y for y in range(h) if dark(left + 1, y))
inked = sum(1 for k in range(81) if any(dark(left + (k % 9) * cell + cell // 4 + i, top + (k // 9) * cell + cell // 4 + j)
                                        for i in range(cell // 2) for j in range(cell // 2)))
assert inked == 80, inked  # every clue of the collection puzzle; the centre cell open
PY
stop_game

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
