#!/bin/sh
# Makes the package into DIR afresh, or checks the one package there with a tool of the distribution; any
# error or warning fails.
# Usage: package_check.sh package DIR CPACK CPACK-CONFIG
#        package_check.sh lintian|metainfo|desktop-entry DIR
set -eu
check=$1 dir=$2

if [ "$check" = package ]; then
  rm -rf "$dir"
  exec "$3" --config "$4" -B "$dir"
fi

set -- "$dir"/velmora_*.deb
[ $# = 1 ] && [ -f "$1" ] || { echo "FAIL: not exactly one package in $dir: $*" >&2; exit 1; }
deb=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp/root"

case $check in
  lintian)
    # Any tag fails, down to pedantic ones: those that remain are judged in packaging/lintian-overrides,
    # and the tags of missing hardening (bindnow, fortify) are only infos.
    lintian -I -E --pedantic --fail-on error,warning,info,pedantic "$deb"
    ;;
  metainfo)
    # The metainfo together with the desktop entry and icons it names, offline.
    appstreamcli validate-tree --pedantic --no-net "$tmp/root"
    ;;
  desktop-entry)
    # desktop-file-validate exits 0 after warnings; anything it says counts.
    found=0
    for entry in "$tmp"/root/usr/share/applications/*.desktop; do
      [ -f "$entry" ] || continue
      found=1
      if ! desktop-file-validate "$entry" >"$tmp/out" 2>&1 || [ -s "$tmp/out" ]; then
        cat "$tmp/out" >&2
        echo "FAIL: $(basename "$entry")" >&2
        exit 1
      fi
    done
    [ "$found" = 1 ] || { echo "FAIL: no desktop entry in the package" >&2; exit 1; }
    ;;
  *)
    echo "usage: $0 package|lintian|metainfo|desktop-entry DIR ..." >&2
    exit 2
    ;;
esac
echo "$check: no error or warning"
