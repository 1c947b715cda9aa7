#!/usr/bin/env bash
# The keys and clicks players use by habit, in every window of the real game on a real X server under a
# window manager (openbox): Enter, Space and Escape where each window opens, and X11's middle-click
# paste, each with the outcome it must have; the record file is compared byte for byte after each.
# Usage: habits_test.sh VELMORA-BINARY        (needs xvfb-run, openbox, xdotool, xclip, x11-utils, iconv)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="openbox xdotool xclip xwininfo iconv" own_x_server "$0" "$@"
game=$(realpath "$1")
enter_scratch_folder
start_openbox || { echo "FAIL: openbox did not start" >&2; exit 1; }
not() { ! "$@"; }
shown() { [ -n "$(titled "$1")" ]; }
hidden() { ! shown "$1"; }

prepare_folder
{ printf '75\xC3\xEB\r\nAlice\r\n'; tail -c +15 default.txt; } >played.txt  # a level 1 record
cp played.txt phb.txt

QT_QPA_PLATFORM=xcb "$game" &
pid=$!
main=$(find_window '^Velmora1\.5$')
[ -n "$main" ] || { echo "FAIL: the main window did not open" >&2; exit 1; }
locate_main "$main"

# Opens a dialog and gives its title (the collection takes its first puzzle's).
open_form() {
  case $1 in
    排行榜) menu_item 0 4 ;;
    帮助) menu_item 1 0 ;;
    About) menu_item 1 1 ;;
    自定义游戏) tool 46 ;;
    精选题库) tool 176; title='[e2e]'; return ;;
  esac
  title=$1
}

step "Enter, Space and Escape where each dialog opens"
# form        key     outcome: the form is "open" or "closed" after it; the record file is unchanged
while read -r form key outcome; do
  open_form "$form"
  wait_for 10 shown "$title" || { fail "$form did not open"; continue; }
  wait_for 10 active "$(titled "$title")" || fail "$form did not take the keys"
  xdotool key "$key"
  if [ "$outcome" = open ]; then
    # Watched for a while, not sampled once.
    if wait_for 2 hidden "$title"; then fail "$key closed $form"; fi
  else
    wait_for 5 hidden "$title" || fail "$key left $form open"
  fi
  cmp -s played.txt phb.txt || fail "$key in $form changed phb.txt: $(od -c phb.txt | head -4)"
  if shown "$title"; then
    xdotool key alt+F4  # the window manager's close
    wait_for 5 hidden "$title" || fail "$form did not close on the window manager's request"
  fi
done <<'EOF'
排行榜     Return  closed
排行榜     space   closed
排行榜     Escape  closed
About      Return  closed
About      space   closed
About      Escape  closed
帮助       Return  open
帮助       space   open
帮助       Escape  closed
精选题库   Return  open
精选题库   Escape  closed
自定义游戏 Escape  closed
EOF

step "Enter on the editor's first button asks for a file; Escape cancels it and writes nothing"
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
more_than() { [ "$(windows)" -gt "$1" ]; }
open_form 自定义游戏
wait_for 10 shown 自定义游戏 || fail "the editor did not open"
wait_for 10 active "$(titled 自定义游戏)" || fail "the editor did not take the keys"
before=$(windows) files=$(ls)
xdotool key Return
wait_for 10 more_than "$before" || fail "Enter on 保存 opened no file dialog"
xdotool key Escape
wait_for 5 not more_than "$before" || fail "Escape left the file dialog open"
if wait_for 2 hidden 自定义游戏; then fail "Escape in the file dialog closed the editor"; fi
[ "$(ls)" = "$files" ] || fail "the editor wrote a file: $(ls)"
xdotool key alt+F4
wait_for 5 hidden 自定义游戏 || fail "the editor did not close"

step "a replayed game plays from the keyboard; the new-record dialog stores by Enter, Space and Escape alike"
open_form 精选题库  # and its 确定: the puzzle one cell short
wait_for 10 shown "$title" || fail "the collection did not open"
eval "$(geometry "$(titled "$title")")"
click $(( X + 232 + 37 )) $(( Y + 378 + 12 ))
wait_for 10 hidden "$title" || fail "the collection stayed open"
for key in Return space Escape; do
  cp default.txt phb.txt
  tool 325  # 重玩此局: the centre cell is open again, the clock at 0
  if [ "$key" = Escape ]; then
    # The digit by middle-click paste: a line break after it must not reach the cell.
    printf '9\n' | xclip -selection primary -i
    xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" click 2
  else
    xdotool type 9  # the game starts with the focus in its one open cell
  fi
  wait_for 10 record_up || { fail "completing the board by $key's round opened no record dialog"; continue; }
  name=佚名
  if [ "$key" = Escape ]; then
    # A two-line name by middle-click paste keeps its first line.
    click $(( 382 + 31 + 60 )) $(( 164 + 91 + 10 ))
    xdotool key ctrl+a BackSpace
    printf '李四\r\n第二行' | xclip -selection primary -i
    xdotool mousemove $(( 382 + 31 + 60 )) $(( 164 + 91 + 10 )) click 2
    name=李四
  fi
  [ "$key" = space ] && xdotool key Tab  # the dialog opens in the name box: Space presses 确定
  xdotool key "$key"
  wait_for 10 record_gone || { fail "$key left the record dialog open"; continue; }
  stored_as "$name" || fail "$key stored a record other than $name's: $(od -c phb.txt | head -6)"
done

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
