#!/bin/sh
# Remakes the sample collection resources/tk.vlm (and its source, sample.txt) from fixed seeds.
# Usage: tools/tkmaker/make-sample.sh [path/to/tkmaker]   (default: build/tools/tkmaker/tkmaker)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
tk=${1:-$root/build/tools/tkmaker/tkmaker}
if [ ! -x "$tk" ]; then
  echo "make-sample.sh: no tkmaker at $tk; build it first: cmake --build build --target tkmaker" >&2
  exit 1
fi

sample=$here/sample.txt
{
  echo "# Sample puzzles for resources/tk.vlm, made by tools/tkmaker/make-sample.sh; do not edit."
  echo "# Each run below is reproducible from its seed; build --sort orders them easy to very hard."
  "$tk" generate 60 --grade easy --seed 1001 --symmetric
  "$tk" generate 60 --grade medium --seed 2002 --symmetric
  "$tk" generate 55 --grade hard --seed 3003 --symmetric
  "$tk" generate 55 --grade very-hard --seed 4004 --symmetric
} > "$sample"

"$tk" build "$sample" -o "$root/resources/tk.vlm" --sort
"$tk" check "$root/resources/tk.vlm"
