#!/usr/bin/env bash
# The real game under a real window manager (openbox) on Xvfb, started as in a Wayland session that
# also has X: it runs on X; its main window opens centred with its frame and never moves by itself, can
# be minimised and matches its menu entry; every dialog belongs to the main window; the record table
# opens centred and stays where the player drags it; and the window manager's close request on the
# new-record dialog stores the record, checked byte for byte.
# Usage: wm_test.sh VELMORA-BINARY DESKTOP-ENTRY   (needs xvfb-run, openbox, xdotool, wmctrl, xprop,
# xwininfo, xev, iconv)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="openbox xdotool wmctrl xprop xwininfo xev iconv" own_x_server "$0" "$@"
game=$(realpath "$1")
entry=$(realpath "$2")
enter_scratch_folder

start_openbox || { echo "FAIL: openbox did not start" >&2; exit 1; }
# Every move and mapping of a top-level window (the window manager's frames), logged from the start.
xev -root -event substructure >xev.log 2>&1 &
xev=$!
wait_for 5 test -s xev.log

step "with both an X display and a Wayland one, and no platform chosen, the game runs on X"
prepare_folder
env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=velmora-e2e-none "$game" 2>game.err &
pid=$!
main=$(find_window '^Velmora1\.5$')
[ -n "$main" ] || { cat game.err >&2; echo "FAIL: the main window did not open on X" >&2; exit 1; }
if grep -qi wayland game.err; then fail "the game tried Wayland first: $(cat game.err)"; fi
main_hex=$(printf '0x%x' "$main")

# prop WINDOW PROPERTY: the property's value as xprop prints it after " = " (or ": ").
prop() { xprop -id "$1" "$2" | sed -n '1s/^[^=:]*[=:] *//p'; }
# The window's frame, from the extents the window manager reports, is centred on the 1024 x 768
# screen within 2 pixels, and is a real frame (a title bar).
framed_centre() {
  local l r t b
  IFS=', ' read -r l r t b <<<"$(prop "$1" _NET_FRAME_EXTENTS)"
  [ "${t:-0}" -gt 0 ] || return 1
  eval "$(geometry "$1")"
  local dx=$(( 2 * (X - l) + WIDTH + l + r - 1024 )) dy=$(( 2 * (Y - t) + HEIGHT + t + b - 768 ))
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]
}
# Every window of the game on screen but the main one is a named dialog transient for the main window.
dialogs_belong() {
  local w n=0
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$w" = "$main" ] && continue
    n=$((n + 1))
    [ "$(prop "$w" WM_TRANSIENT_FOR)" = "window id # $main_hex" ] ||
      fail "$1: $(prop "$w" WM_NAME) is not transient for the main window"
    [[ "$(prop "$w" _NET_WM_WINDOW_TYPE)" == _NET_WM_WINDOW_TYPE_DIALOG* ]] ||
      fail "$1: $(prop "$w" WM_NAME) is no dialog"
    [[ "$(prop "$w" WM_NAME)" == \"?* ]] || fail "$1: a window has no name"
  done
  [ "$n" -gt 0 ] || fail "$1: no dialog on screen"
}
# The places the window manager gave a window's frame while it was on screen (from xev's log), one a
# line, repeats dropped: one line for a window that never moved.
frame_places() {
  local frame
  frame=$(xwininfo -tree -id "$1" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  awk -v f="event 0x[0-9a-f]*, window $frame," '/^[A-Za-z]+ event,/ { kind = $1 }
    $0 ~ f { if (kind == "MapNotify") mapped = 1
             else if (kind == "UnmapNotify") mapped = 0
             else if (kind == "ConfigureNotify" && mapped && match($0, /\([-0-9]+,[-0-9]+\)/)) print substr($0, RSTART, RLENGTH) }' xev.log | uniq
}
at() { eval "$(geometry "$1")"; [ "$X $Y" = "$2 $3" ]; }
not_at() { ! at "$@"; }
# The window manager's close request, as its menu, its key or a taskbar sends it.
close_window() { wmctrl -i -c "$(printf '0x%x' "$1")"; }
gone() { ! xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1"; }
state_is() { xprop -id "$main" WM_STATE _NET_WM_STATE | tr -d "\n" | grep -q "window state: $1.*${2:-}"; }

step "the main window: its class is the menu entry's, its frame is centred, and it minimises"
class=$(prop "$main" WM_CLASS)
[ "$class" = "\"velmora\", \"$(sed -n 's/^StartupWMClass=//p' "$entry")\"" ] ||
  fail "WM_CLASS $class does not end in the desktop entry's StartupWMClass"
wait_for 5 framed_centre "$main" ||
  fail "the main window's frame is not centred: $(geometry "$main"), $(prop "$main" _NET_FRAME_EXTENTS)"
# From its first showing on, watched for a while more: the window manager never had to move it.
moved_itself() { [ "$(frame_places "$main" | wc -l)" -gt 1 ]; }
if wait_for 2 moved_itself; then
  fail "the main window moved after it was shown, by itself: $(frame_places "$main" | tr '\n' ' ')"
fi
# Motif functions: all (1) or minimise (8) among them; the window manager's menu and keys follow them.
functions=$(prop "$main" _MOTIF_WM_HINTS | cut -d, -f2)
(( functions & 9 )) || fail "the main window's Motif hints do not allow minimising ($functions)"
home=$(geometry "$main")
back_home() { [ "$(geometry "$main")" = "$home" ]; }
xdotool windowminimize "$main"
wait_for 5 state_is Iconic _NET_WM_STATE_HIDDEN ||
  fail "the main window did not minimise: $(xprop -id "$main" WM_STATE _NET_WM_STATE)"
wmctrl -i -a "$main_hex"
wait_for 5 state_is Normal || fail "the main window did not come back"
# The window manager animates the way back: the window is clicked once it is home.
wait_for 5 back_home || fail "the main window did not come back where it was: $(geometry "$main"), not $home"
locate_main "$main"

step "the record table belongs to the main window, opens centred each time, stays where the player drags it"
for round in 1 2; do
  menu_item 0 4  # 游戏 > 排行榜
  table=$(find_window '^排行榜$')
  [ -n "$table" ] || { fail "the record table did not open ($round)"; continue; }
  dialogs_belong "record table"
  wait_for 5 framed_centre "$table" || fail "the record table's frame is not centred ($round): $(geometry "$table")"
  # Dragged by its title bar, 150 pixels right and 100 down, in steps as a hand moves.
  eval "$(geometry "$table")"
  x0=$X y0=$Y
  IFS=', ' read -r l r t b <<<"$(prop "$table" _NET_FRAME_EXTENTS)"
  xdotool mousemove $(( X + WIDTH / 2 )) $(( Y - t / 2 )) mousedown 1
  for i in 1 2 3 4 5; do xdotool mousemove $(( X + WIDTH / 2 + 30 * i )) $(( Y - t / 2 + 20 * i )); done
  xdotool mouseup 1
  # It gets there, and watched for a while, it stays.
  if ! wait_for 5 at "$table" $(( x0 + 150 )) $(( y0 + 100 )) ||
    wait_for 2 not_at "$table" $(( x0 + 150 )) $(( y0 + 100 )); then
    fail "the record table is not where it was dragged ($round): from $x0,$y0 by 150,100 to $(geometry "$table")"
  fi
  close_window "$table"
  wait_for 5 gone "$table" || fail "the record table did not close"
done
step "the editor and a file dialog belong to the main window"
tool 46  # 自定义游戏
editor=$(find_window '^自定义游戏$')
[ -n "$editor" ] && dialogs_belong "editor" || fail "the editor did not open"
close_window "$editor"
wait_for 5 gone "$editor" || fail "the editor did not close"
count=$(xdotool search --onlyvisible --pid "$pid" | wc -l)
more_than() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$1" ]; }
tool 0  # 装载游戏
wait_for 10 more_than "$count" || fail "the load dialog did not open"
dialogs_belong "load dialog"
for w in $(xdotool search --onlyvisible --pid "$pid"); do
  [ "$w" = "$main" ] && continue
  close_window "$w"
  wait_for 5 gone "$w" || fail "the load dialog did not close"
done

step "the new-record dialog belongs to the main window; the main window refuses to close under it"
finish_collection_puzzle || exit 1
dialogs_belong "new-record dialog"
record=$(record_window)
[ "$(prop "$record" WM_NAME)" = '"Velmora"' ] || fail "the new-record dialog is named $(prop "$record" WM_NAME)"
close_window "$main"
# Watched for a while, not sampled once.
gave_way() { ! record_up || ! kill -0 "$pid" 2>/dev/null; }
if wait_for 2 gave_way; then fail "a close request to the main window ended the game under the dialog"; fi

step "the window manager's close request on the new-record dialog stores the record"
close_window "$record"
wait_for 10 record_gone || fail "the new-record dialog stayed open"
stored_as 佚名 || fail "phb.txt differs from the expected bytes: $(od -c phb.txt | head -8)"

kill "$xev"
[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
