#!/usr/bin/env bash
# Takes a screenshot of the real main window with a beginner game in play, for the README.
# Usage: tools/screenshot.sh [build-folder] [output.png]   (needs xvfb, xdotool, imagemagick)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$root/docs/main-window.png}")
play=$(mktemp -d)
trap 'rm -rf "$play"' EXIT
cp "$root/resources/tk.vlm" "$play/" 2>/dev/null || true

xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -e
  cd "$1"
  "$2/velmora" &
  pid=$!
  win=$(xdotool search --sync --onlyvisible --name "^Velmora1.5$" | head -1)
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # The beginner button sits at 84..107 on the tool bar, just under the menu bar.
  menu=$(( HEIGHT - 489 ))
  xdotool mousemove $((X + 95)) $((Y + menu + 13)) click 1
  sleep 0.3
  # Type an entry and a few pencil marks into open cells of the first puzzle, then rest the mouse on the board.
  xdotool mousemove $((X + 3 + 24)) $((Y + menu + 29 + 3 + 24)) click 1 type 5
  xdotool mousemove $((X + 3 + 49*3 + 24)) $((Y + menu + 29 + 3 + 49*2 + 24)) click 1 type 12
  xdotool mousemove $((X + 3 + 49*4 + 24)) $((Y + menu + 29 + 3 + 49*5 + 24))
  sleep 0.5
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$3"
  kill $pid
' _ "$play" "$build" "$out"
echo "wrote $out"
