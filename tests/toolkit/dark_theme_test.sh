#!/bin/sh
# Starts the real game on an X server (Xvfb) under a dark desktop theme (Qt's GTK 3 platform theme with
# Adwaita's dark variant) and measures, on the screen's pixels, the contrast of a menu caption and of a
# status-bar text with the face they stand on: each must be at least 4.5 : 1.
# Usage: dark_theme_test.sh GAME [SHOT.png]    (needs xvfb, xdotool, imagemagick, qt6-gtk-platformtheme)
#        dark_theme_test.sh --measure SHOT.png MENU-HEIGHT   measures a screenshot of the main window
# Fails when a tool the test needs is missing: the README's test command installs them all.
set -eu

# The contrast ratio of the darkest and the lightest pixel of an area of a picture, by WCAG's relative
# luminance: a caption's ink against its face.
contrast() {  # picture WxH+X+Y
  convert "$1" -crop "$2" +repage -depth 8 txt:- | awk -F'[(),]' '
    function lin(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
    /^[0-9]/ {
      l = 0.2126 * lin($2) + 0.7152 * lin($3) + 0.0722 * lin($4)
      if (n++ == 0 || l < lo) lo = l
      if (n == 1 || l > hi) hi = l
    }
    END { printf "%.2f\n", (hi + 0.05) / (lo + 0.05) }'
}

# The menu bar's first caption and the status bar's first panel of a main-window picture.
measure() {  # picture menu-height
  size=$(identify -format '%w %h' "$1")
  height=${size#* }
  menu=$(contrast "$1" "40x$(($2 - 2))+2+1")
  status=$(contrast "$1" "80x13+4+$((height - 15))")
  echo "contrast: menu caption $menu : 1, status-bar text $status : 1"
  awk -v a="$menu" -v b="$status" 'BEGIN { exit !(a >= 4.5 && b >= 4.5) }'
}

if [ "${1:-}" = "--measure" ]; then
  measure "$2" "$3"
  exit
fi

game=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool import convert identify; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$plugins/platformthemes/libqgtk3.so" ] || { echo "FAIL: Qt's GTK 3 platform theme is missing"; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
shot=${2:-$tmp/dark.png}
cd "$tmp"
cp "$here/../../resources/tk.vlm" .  # without its collection the game stops at start in an error box

# A game that never shows its window fails the test after a minute instead of waiting for ever.
QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark timeout 60 xvfb-run -a -s "-screen 0 800x600x24" sh -c '
  "$1" &
  pid=$!
  win=$(xdotool search --sync --onlyvisible --name "^Velmora1.5$" | head -1)
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$win")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  echo $((HEIGHT - 489)) > menu-height
  kill $pid
' _ "$game" "$shot" 2>/dev/null || { echo "FAIL: the game's window did not show"; exit 1; }
measure "$shot" "$(cat menu-height)"
