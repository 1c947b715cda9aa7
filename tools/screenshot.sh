#!/usr/bin/env bash
# Takes screenshots of the real main window with a beginner game in play, for the README: on a light
# desktop (main-window.png), and that beside the same under a dark desktop theme and at twice the scale
# (main-window-light-dark-2x.png).
# Usage: tools/screenshot.sh [build-folder] [output-folder]
# (needs xvfb, xdotool, imagemagick, and qt6-gtk-platformtheme for the dark theme)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$(realpath -m "${2:-$root/docs}")
mkdir -p "$out"
play=$(mktemp -d)
trap 'rm -rf "$play"' EXIT
cp "$root/resources/tk.vlm" "$play/" 2>/dev/null || true

# shoot OUTPUT SCALE [VARIABLE=VALUE ...]: one screenshot, the game started with those variables set.
shoot() {
  local shot=$1 scale=$2
  shift 2
  env "$@" QT_SCALE_FACTOR="$scale" xvfb-run -a -s "-screen 0 $((800 * scale))x$((600 * scale))x24" bash -c '
    set -e
    cd "$1"
    rm -f phb.txt
    "$2/velmora" &
    pid=$!
    win=$(xdotool search --sync --onlyvisible --name "^Velmora1.5$" | head -1)
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    k=$4
    # The beginner button sits at 84..107 on the tool bar, just under the menu bar.
    menu=$(( HEIGHT / k - 489 ))
    at() { xdotool mousemove $((X + $1 * k)) $((Y + $2 * k)); }
    at 95 $((menu + 13)); xdotool click 1
    sleep 0.3
    # Type an entry and a few pencil marks into open cells of the first puzzle, then rest the mouse on the board.
    at $((3 + 24)) $((menu + 29 + 3 + 24)); xdotool click 1 type 5
    at $((3 + 49*3 + 24)) $((menu + 29 + 3 + 49*2 + 24)); xdotool click 1 type 12
    at $((3 + 49*4 + 24)) $((menu + 29 + 3 + 49*5 + 24))
    sleep 0.5
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$3"
    kill $pid
  ' _ "$play" "$build" "$shot" "$scale"
  echo "wrote $shot"
}

shoot "$out/main-window.png" 1
shoot "$play/dark.png" 1 QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
shoot "$play/2x.png" 2
montage -font DejaVu-Sans -pointsize 20 -background white -gravity south -geometry +12+12 -tile 3x1 \
  -label 'light desktop' "$out/main-window.png" -label 'dark desktop theme' "$play/dark.png" \
  -label 'scale 2' "$play/2x.png" "$out/main-window-light-dark-2x.png"
echo "wrote $out/main-window-light-dark-2x.png"
