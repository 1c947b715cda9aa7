#!/usr/bin/env bash
# Starts the game and the empty Qt window alternately N times under Xvfb and prints the medians of
# exec -> first window mapped and of peak RSS after 1 s idle, and the game's ratios to the yardstick.
# Usage: bench/startup/startup.sh [build-folder] [N]   (needs xvfb; builds nothing itself)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
n=${2:-7}
play=$(mktemp -d)
trap 'rm -rf "$play"' EXIT
cp "$root/resources/tk.vlm" "$play/"
cd "$play"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  waitmap=$1/bench/startup/waitmap; game=$1/velmora; empty=$1/bench/startup/empty_window; n=$2
  for i in $(seq "$n"); do
    echo "game $("$waitmap" 1000 "$game")"
    echo "empty $("$waitmap" 1000 "$empty")"
  done
' _ "$build" "$n" | awk '
  { t[$1] = t[$1] " " $2; m[$1] = m[$1] " " $3 }
  function median(s,   a, k, i, j, x) {
    k = split(s, a, " ")
    for (i = 2; i <= k; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
    return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
  }
  END {
    gt = median(t["game"]); et = median(t["empty"]); gm = median(m["game"]); em = median(m["empty"])
    printf "| program | start to window (ms) | peak RSS (MiB) |\n|---|---|---|\n"
    printf "| velmora | %.1f | %.1f |\n| empty Qt window | %.1f | %.1f |\n", gt / 1000, gm / 1024, et / 1000, em / 1024
    printf "| ratio | %.2f | %.2f |\n", gt / et, gm / em
  }'
