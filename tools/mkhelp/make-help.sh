#!/bin/sh
# Builds the mkhelp tool and remakes the help picture resources/help.jpg, and resources/help@2x.jpg at
# twice the size, from the game's own windows.
# Usage: tools/mkhelp/make-help.sh [build-folder]   (default: <repository>/build)
# Preview PNGs are left beside the build as help-preview.png and help-preview@2x.png. Rebuild the game
# afterwards.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-"$root/build"}

if [ ! -f "$build/CMakeCache.txt" ]; then
  generator=""
  if command -v ninja >/dev/null 2>&1; then generator="-G Ninja"; fi
  # shellcheck disable=SC2086
  cmake -S "$root" -B "$build" $generator -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
fi
cmake --build "$build" --target mkhelp

collection=""
if [ -f "$root/resources/tk.vlm" ]; then collection="--collection=$root/resources/tk.vlm"; fi
# shellcheck disable=SC2086
"$build/tools/mkhelp/mkhelp" $collection --png "$build/help-preview.png" "$root/resources/help.jpg"
# shellcheck disable=SC2086
"$build/tools/mkhelp/mkhelp" $collection --scale 2 --png "$build/help-preview@2x.png" "$root/resources/help@2x.jpg"
