#!/usr/bin/env bash
# Makes resources/velmora-ui.ttf: the glyphs of the game's own texts (ASCII and every Chinese
# character in forms/ and controls/), cut from WenQuanYi Micro Hei and renamed "Velmora UI".
# A face of a few dozen kilobytes keeps the whole Chinese font out of the game's memory; text the
# player brings (names, titles) falls back to the system's fonts.
# Needs: apt-get install fonttools fonts-wqy-microhei
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source=${WQY:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}
chars=$(mktemp)
trap 'rm -f "$chars"' EXIT
grep -rhoP '[^\x00-\x7F]' "$root/forms" "$root/controls" | sort -u | tr -d '\n' > "$chars"
pyftsubset "$source" --font-number=0 --text-file="$chars" --unicodes="U+0020-007E" \
  --layout-features='*' --name-IDs='*' --output-file="$root/resources/velmora-ui.ttf" 2>/dev/null
/usr/bin/python3 - "$root/resources/velmora-ui.ttf" <<'PY'
import sys
from fontTools.ttLib import TTFont
font = TTFont(sys.argv[1])
for record in font['name'].names:
    if record.nameID in (1, 4, 16):
        record.string = 'Velmora UI'
    elif record.nameID == 6:
        record.string = 'VelmoraUI'
font.save(sys.argv[1])
PY
echo "wrote $root/resources/velmora-ui.ttf ($(wc -m < "$chars") Chinese characters)"
