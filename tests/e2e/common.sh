# Shared by the end-to-end scripts that play the real game on an X server (sourced, not run): their
# own X server and scratch folder, failing a step, waiting, finding windows, where things lie in the
# main window, and a collection puzzle one cell short of a new record. The script sets `pid` to the
# game's process, and `wm` to the window manager's when it starts one.

# Run first, as `own_x_server "$0" "$@"`: unless the script already runs on an X server of its own, it
# checks that the tools named in `needs` are installed and runs the script again on a new Xvfb of
# 1024 x 768. The server does not reset when its last client leaves, which would drop a client that
# connects meanwhile. A random first display number keeps two runs that start at once apart.
own_x_server() {
  [ -z "${VELMORA_E2E_DISPLAY:-}" ] || return 0
  local tool
  for tool in xvfb-run $needs; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
  done
  exec xvfb-run -a -n $(( 100 + RANDOM % 400 )) -s "-screen 0 1024x768x24 -noreset" env VELMORA_E2E_DISPLAY=1 bash "$@"
}
# Works in a new scratch folder, removed at the end with the game and the window manager ended.
enter_scratch_folder() {
  tmp=$(mktemp -d)
  pid= wm=
  trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; [ -z "$wm" ] || kill "$wm" 2>/dev/null; rm -rf "$tmp"' EXIT
  cd "$tmp" || exit 1
}

fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }
step() { echo "-- $*"; }

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
wait_for() {
  local end=$(( SECONDS + $1 ))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}
# Starts openbox with its default settings and waits until it manages the screen; sets `wm`.
start_openbox() {
  openbox --config-file /dev/null >openbox.log 2>&1 &
  wm=$!
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}
# The game's windows on screen whose title is exactly the text given (xprop reads the UTF-8 title,
# which xdotool's search cannot match in every locale).
titled() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$(xprop -id "$w" _NET_WM_NAME 2>/dev/null)" = "_NET_WM_NAME(UTF8_STRING) = \"$1\"" ] && echo "$w"
  done
}
# The first visible window whose title matches the pattern, waited for.
find_window() { timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -1; }
# X, Y, WIDTH and HEIGHT of a window's client area on the screen, as shell assignments. (xwininfo, as
# xdotool counts a window manager's frame twice.)
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { printf "X=%s Y=%s WIDTH=%s HEIGHT=%s\n", x, y, w, h }'
}

# Chooses an item of a menu of the menu bar by keys, as a keyboard player does: $1 the menu ("游戏" 0,
# "帮助" 1), $2 the item (from 0, separators not counted). Alt goes to the menu bar, Enter opens the
# menu on its first item.
menu_item() {
  local before
  before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
  xdotool key alt
  [ "$1" = 0 ] || xdotool key --repeat "$1" Right
  xdotool key Return
  more_windows() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" -gt "$before" ]; }
  wait_for 5 more_windows || { echo "FAIL: the menu did not open" >&2; return 1; }
  [ "$2" = 0 ] || xdotool key --repeat "$2" Down
  xdotool key Return
}
# Whether the window given is the active one, which takes the keys.
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Sets cx, cy: the screen position of the main window's client area, which lies under the menu bar.
locate_main() {
  eval "$(geometry "$1")"
  cx=$X
  cy=$(( Y + HEIGHT - 489 ))
}
# A click at a point of the screen. The mouse comes by a neighbouring pixel first: the widgets of a window
# the mouse has just come into hear of it from its second move on (as after a window under it closed).
click() { xdotool mousemove $(( $1 - 1 )) "$2" mousemove "$1" "$2" click 1; }
# Tool-bar buttons are 23 pixels wide, 29-pixel bar; board cells are 49 pixels, the board's inside
# starting at (3, 32) of the client area.
tool() { click $(( cx + $1 + 11 )) $(( cy + 13 )); }
cell_x() { echo $(( cx + 3 + 49 * ($1 - 1) + 24 )); }
cell_y() { echo $(( cy + 32 + 49 * ($1 - 1) + 24 )); }

# In the current folder: the collection tk.vlm, one puzzle, a solved grid (row r is the digits 1..9
# shifted by 3r + r/3) with only the centre cell (row 5, column 5; its digit is 9) left open; and
# default.txt, the record file the game writes on its first start.
prepare_folder() {
  printf '[e2e]\r\n123456789\r\n456789123\r\n789123456\r\n234567891\r\n567801234\r\n891234567\r\n345678912\r\n678912345\r\n912345678\r\n' >tk.vlm
  printf '9999\xC3\xEB\r\n\xD8\xFD\xC3\xFB\r\n%.0s' 1 2 3 4 >default.txt
}

# The new-record dialog's window: no title, 173 x 155, at (382, 164) on the screen.
record_window() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$(geometry "$w")" = "X=382 Y=164 WIDTH=173 HEIGHT=155" ] && { echo "$w"; return 0; }
  done
  return 1
}
record_up() { record_window >/dev/null; }
record_gone() { ! record_up; }
collection_gone() { ! xdotool search --onlyvisible --name '^\[e2e\]$' >/dev/null; }

# Whether phb.txt is, byte for byte, the defaults but for a new level 2 record under the name given.
stored_as() {
  local time
  time=$(sed -n 3p phb.txt | tr -d '\r' | iconv -f CP936 -t UTF-8 2>/dev/null)
  [[ "$time" =~ ^[0-9]+秒$ && "$time" != 9999秒 ]] || return 1
  printf '9999秒\r\n佚名\r\n%s\r\n%s\r\n9999秒\r\n佚名\r\n9999秒\r\n佚名\r\n' "$time" "$1" | iconv -f UTF-8 -t CP936 >expected.txt
  cmp -s expected.txt phb.txt
}

# Opens the collection and takes its puzzle, with only the centre cell open (status 1 when the dialog
# does not open or does not close).
take_collection_puzzle() {
  local tk
  tool 176  # 精选题目
  tk=$(find_window '^\[e2e\]$')
  [ -n "$tk" ] || { echo "FAIL: the collection dialog did not open" >&2; return 1; }
  eval "$(geometry "$tk")"
  click $(( X + 232 + 37 )) $(( Y + 378 + 12 ))  # 确定
  wait_for 10 collection_gone || { echo "FAIL: the collection dialog stayed open" >&2; return 1; }
}
# Takes the collection's puzzle and fills the open cell: a new record at level 2. Returns once the
# new-record dialog is up (status 1 when it never comes).
finish_collection_puzzle() {
  take_collection_puzzle || return 1
  click "$(cell_x 5)" "$(cell_y 5)"
  xdotool type 9
  wait_for 30 record_up || { echo "FAIL: the new-record dialog did not open" >&2; return 1; }
}
