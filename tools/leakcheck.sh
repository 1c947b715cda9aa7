#!/usr/bin/env bash
# Leak check of a whole scripted session (tests/forms/Session_test.cpp): under valgrind on the normal
# build, and under LeakSanitizer in the sanitizer build. Usage: tools/leakcheck.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
command -v valgrind >/dev/null || { apt-get update && apt-get install -y valgrind; }
export QT_QPA_PLATFORM=offscreen
session='FullSession.*'

cmake -S . -B build -G Ninja >/dev/null && cmake --build build -j2 >/dev/null
log=$(mktemp)
# Definite leaks fail the run; memory that system libraries keep reachable until exit does not.
valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=1 --num-callers=30 \
  build/tests/velmora_tests --gtest_filter="$session" >"$log" 2>&1 || { cat "$log"; exit 1; }
grep -E 'definitely lost|indirectly lost|possibly lost|ERROR SUMMARY|PASSED|FAILED' "$log"
rm -f "$log"

cmake -S . -B build-asan -G Ninja -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF -DVELMORA_TOOLS=OFF >/dev/null
cmake --build build-asan -j2 >/dev/null
# The sanitizer test main turns leak detection on; a leak ends the program with an error.
build-asan/tests/velmora_tests --gtest_filter="$session" 2>&1 | grep -E 'PASSED|FAILED|LeakSanitizer'
echo "leak check: no leaks"
