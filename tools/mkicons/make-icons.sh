#!/bin/sh
# Builds the mkicons tool and redraws the tool-bar pictures and program icon PNGs into resources/.
# Usage: tools/mkicons/make-icons.sh [build-folder]   (default: <repository>/build)
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
cmake --build "$build" --target mkicons

QT_QPA_PLATFORM=offscreen "$build/tools/mkicons/mkicons" "$root/resources"
