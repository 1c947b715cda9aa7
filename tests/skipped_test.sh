#!/bin/sh
# The test command's last step: it names each skipped test with its reason, and fails on a skipped
# fault test only where CI asks it to, or when a tree has no results.
# Usage: skipped_test.sh SKIPPED.PY
set -u
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/tree" "$dir/clean"
cat >"$dir/tree/junit.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="3" failures="0" skipped="2">
  <testcase name="Files.Pass" classname="Files.Pass" status="run"><system-out>[       OK ] Files.Pass</system-out></testcase>
  <testcase name="RealTmpfs/OnAFullDisk.Holds/FirstStart  # GetParam() = 0" classname="x" status="notrun">
    <skipped message="Skip regular expression found in output. Regex=[\[  SKIPPED \]]"/>
    <system-out>[ RUN      ] RealTmpfs/OnAFullDisk.Holds/FirstStart
t.cpp:329: Skipped
no tmpfs can be mounted here
[  SKIPPED ] RealTmpfs/OnAFullDisk.Holds/FirstStart (0 ms)</system-out>
  </testcase>
  <testcase name="wayland_fallback" classname="wayland_fallback" status="notrun">
    <skipped message="SKIP_RETURN_CODE=77"/><system-out>no Wayland compositor here</system-out>
  </testcase>
</testsuite>
XML
cat >"$dir/clean/junit.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="1"><testcase name="Files.Pass" classname="Files.Pass" status="run"/></testsuite>
XML
fail=0
check() { # WHAT EXPECTED-STATUS ENV-VALUE TREE... ; then the lines the output must hold
  what=$1 want=$2 env=$3
  shift 3
  out=$(VELMORA_REQUIRE_FAULT_TESTS=$env python3 "$script" "$@" 2>&1)
  got=$?
  [ "$got" = "$want" ] || { echo "FAIL: $what: status $got, not $want: $out"; fail=1; }
  printf '%s\n' "$out" >"$dir/out"
}
holds() { grep -qF "$1" "$dir/out" || { echo "FAIL: the output lacks \"$1\": $(cat "$dir/out")"; fail=1; }; }

check "a player's run" 0 "" "$dir/tree" "$dir/clean"
holds "Skipped tests (2):"
holds "RealTmpfs/OnAFullDisk.Holds/FirstStart: no tmpfs can be mounted here"
holds "wayland_fallback: no Wayland compositor here"
check "CI, a fault test skipped" 1 1 "$dir/tree"
holds "FAIL: 1 fault test(s) skipped"
check "CI, nothing skipped" 0 1 "$dir/clean"
holds "No test was skipped"
check "a tree with no results" 1 "" "$dir/clean" "$dir/none"
holds "No test results in $dir/none"
exit $fail
