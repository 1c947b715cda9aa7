#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) and runs each for a bounded time.
# Usage: fuzz/run.sh [seconds per target, default 60] [target ...]   (targets: savedgame records collection keptgame stats)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(dirname "$here")
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(savedgame records collection keptgame stats)
build=${FUZZ_BUILD:-$top/build-fuzz}

# The longest input each reader is given: a few puzzles or lines more than a real file holds.
declare -A maxlen=([savedgame]=4096 [records]=1024 [collection]=4096 [keptgame]=4096 [stats]=2048)

if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  apt-get update && apt-get install -y clang libclang-rt-14-dev || exit 1
fi
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF -DVELMORA_TOOLS=OFF >/dev/null || exit 1
cmake --build "$build" -j2 || exit 1

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$top/tests/sanitizer/lsan.supp:print_suppressions=0}
status=0
for t in "${targets[@]}"; do
  # New inputs go to a scratch corpus; the seeds in the repository are only read. libFuzzer's length
  # control would keep the inputs near the seeds' sizes (a few hundred bytes) for hours: off, they reach
  # the longest input asked for at once.
  work="$build/fuzz-work/$t"
  mkdir -p "$work/corpus" "$work/artifacts"
  log="$work/log.txt"
  "$build/fuzz/fuzz_$t" "$work/corpus" "$here/corpus/$t" -max_total_time="$seconds" -max_len="${maxlen[$t]}" \
    -len_control=0 -timeout=5 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$work/artifacts/" >"$log" 2>&1
  rc=$?
  execs=$(grep -o "stat::number_of_executed_units: *[0-9]*" "$log" | tail -1 | grep -o "[0-9]*$")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  # The longest input the run kept, to see that inputs grew to the length asked for.
  longest=$(find "$work/corpus" -type f -printf '%s\n' | sort -n | tail -1)
  if [ $rc -eq 0 ]; then
    result="no crash, no hang, no leak"
  else
    # Once mended, the input joins the seeds as fuzz/corpus/<target>/crash-<what it broke>, which the
    # suite replays.
    result="FAILED (exit $rc): $(ls "$work/artifacts" | tr '\n' ' ')"
    status=1
    grep -m1 -A3 -E 'ERROR|velmora fuzz|runtime error' "$log"
  fi
  printf '%-11s %4ss  executions: %-9s %-10s longest input: %5s of %5s bytes  %s\n' "$t" "$seconds" \
    "${execs:-?}" "${cov:-}" "${longest:-0}" "${maxlen[$t]}" "$result"
done
exit $status
