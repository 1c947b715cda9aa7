#!/usr/bin/env bash
# Plays one game in the real program on a real X server (Xvfb), driven with xdotool as a player would:
# a collection puzzle one cell short of solved is finished to a new record, and the record file, the
# modality of the record dialog, the locked board and the repeat marks are checked on the screen and
# on disk.
# Usage: play_test.sh VELMORA-BINARY        (needs xvfb-run, xdotool, xclip, imagemagick, iconv)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="xdotool xclip import convert compare iconv" own_x_server "$0" "$@"
game=$(realpath "$1")
enter_scratch_folder

prepare_folder

QT_QPA_PLATFORM=xcb "$game" &
pid=$!
main=$(find_window '^Velmora1\.5$')
[ -n "$main" ] || { echo "FAIL: the main window did not open" >&2; exit 1; }
locate_main "$main"

shot() { import -window root "$1"; }
# Number of differing pixels of two screenshots inside a rectangle (width height left top on the screen).
differ() {
  convert "$1" -crop "${3}x${4}+${5}+${6}" +repage a.png
  convert "$2" -crop "${3}x${4}+${5}+${6}" +repage b.png
  compare -metric AE a.png b.png null: 2>&1 | cut -d' ' -f1
}
# The cells of a screenshot, as "row,column" in row order, whose background (a point just inside the
# cell's border) is pure red.
red_cells() {
  local rows=() r
  for r in 1 2 3 4 5 6 7 8 9; do
    rows+=( "(" mpr:shot -crop "441x1+$(( cx + 3 ))+$(( cy + 32 + 49 * (r - 1) + 5 ))" +repage ")" )
  done
  convert "$1" -write mpr:shot +delete "${rows[@]}" -append -depth 8 txt:- |
    awk -F'[,: ]+' '$1 % 49 == 5 && /#FF0000/ { printf "%d,%d ", $2 + 1, $1 / 49 + 1 }'
}
record_written() { ! cmp -s default.txt phb.txt; }
marks_shown() {
  shot marks.png
  [ -n "$(red_cells marks.png)" ]
}

# Whether the board's pixels on the screen differ from those of the screenshot given (a change waited
# for, or one that must not come), and whether two shots a moment apart agree (a tint has landed).
board_differs() {
  shot now.png
  [ "$(differ "$1" now.png "$2" 435 $(( cx + 3 )) $(( cy + 32 )))" != 0 ]
}
board_steady() {
  shot steady.png
  sleep 0.2
  ! board_differs steady.png 441
}

step "play the collection puzzle to a new record"
finish_collection_puzzle || exit 1

step "a level button of the main window does nothing while the record dialog is up"
board_left=$(( 382 - (cx + 3) ))  # the board's columns left of the dialog
shot before.png
tool 84  # 初级
xdotool mousemove 0 0  # off the window: no tool tip over the board
if wait_for 3 board_differs before.png "$board_left"; then
  fail "a click on 初级 behind the record dialog changed the board"
fi

step "a two-line name is pasted as its first line; Enter in the name box stores it as 确定 does"
printf '张三\r\n第二行' | xclip -selection clipboard -i
click $(( 382 + 31 + 60 )) $(( 164 + 91 + 10 ))  # Edit1
xdotool key ctrl+a ctrl+v Return
wait_for 10 record_written || fail "the record file was not written"
wait_for 10 record_gone || fail "the record dialog stayed open"

step "the record file holds the level 2 record with the name's first line, in code page 936 with CR LF"
stored_as 张三 || fail "phb.txt differs from the expected bytes: $(od -c phb.txt | head -8)"

step "with the candidate panel on, pressing the solved board changes nothing"
tool 207  # 候选数面板显示
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)"
wait_for 10 board_steady
shot before.png
click "$(cell_x 5)" "$(cell_y 5)"
# Where the panel's digit 1 would lie: 40 pixels below the cell's top, its box at (1..16, 17..32).
click $(( cx + 3 + 196 + 8 )) $(( cy + 32 + 196 + 40 + 24 ))
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)"
if wait_for 3 board_differs before.png 441; then
  fail "pressing the solved board with the candidate panel on changed the board"
fi
tool 207  # panel off again

step "a red repeat mark stays red when the mouse moves onto the tool bar"
tool 325  # 重玩此局: the centre cell is open again
click "$(cell_x 5)" "$(cell_y 5)"
xdotool type 1  # 1 stands in row 5, in column 5 and in the centre box
marked=
wait_for 10 marks_shown && marked=$(red_cells marks.png)
if [ "$(wc -w <<<"$marked")" != 2 ]; then
  fail "typing a repeated digit marked '$marked' in red, not two cells"
else
  xdotool mousemove $(( cx + 69 + 7 )) $(( cy + 13 ))  # the gap left of the level buttons
  marks_moved() { shot after.png; [ "$(red_cells after.png)" != "$marked" ]; }
  if wait_for 3 marks_moved; then
    fail "the repeat marks ($marked) turned to '$(red_cells after.png)' when the mouse moved onto the tool bar"
  fi
fi

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
