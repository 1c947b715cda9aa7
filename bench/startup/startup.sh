#!/usr/bin/env bash
# Starts the game, the game with a kept game to bring back, and the empty Qt window alternately N times
# under Xvfb and prints the medians of exec -> first window mapped and of peak RSS after 1 s idle, and
# the game's ratios to the yardstick.
# Usage: bench/startup/startup.sh [build-folder] [N]   (needs xvfb; builds nothing itself)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
n=${2:-7}
play=$(mktemp -d)
trap 'rm -rf "$play"' EXIT
mkdir "$play/kept"
cp "$root/resources/tk.vlm" "$play/"
cp "$root/resources/tk.vlm" "$play/kept/"
(cd "$play/kept" && "$build/bench/startup/keep_game")
cd "$play"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  waitmap=$1/bench/startup/waitmap; game=$1/velmora; empty=$1/bench/startup/empty_window; n=$2
  for i in $(seq "$n"); do
    echo "game $("$waitmap" 1000 "$game")"
    echo "kept $(cd kept && "$waitmap" 1000 "$game")"
    echo "empty $("$waitmap" 1000 "$empty")"
  done
' _ "$build" "$n" | awk '
  { t[$1] = t[$1] " " $2; m[$1] = m[$1] " " $3 }
  function median(s,   a, k, i, j, x) {
    k = split(s, a, " ")
    for (i = 2; i <= k; i++) { x = a[i]; for (j = i - 1; j >= 1 && a[j] > x; j--) a[j + 1] = a[j]; a[j + 1] = x }
    return k % 2 ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
  }
  function row(name, key) { printf "| %s | %.1f | %.1f |\n", name, median(t[key]) / 1000, median(m[key]) / 1024 }
  END {
    et = median(t["empty"]); em = median(m["empty"])
    printf "| program | start to window (ms) | peak RSS (MiB) |\n|---|---|---|\n"
    row("velmora", "game"); row("velmora, bringing back a kept game", "kept"); row("empty Qt window", "empty")
    printf "| ratio | %.2f | %.2f |\n", median(t["game"]) / et, median(m["game"]) / em
    printf "| ratio, bringing back | %.2f | %.2f |\n", median(t["kept"]) / et, median(m["kept"]) / em
  }'
