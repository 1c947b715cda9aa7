#!/bin/sh
# Installs the build into a scratch prefix and checks what lands there and what the launcher does, with a
# stand-in game; then starts the real game through the build tree's launcher.
# Usage: launcher_test.sh CMAKE BUILD-DIR SOURCE-DIR APP-ID TOOLS(0|1)
#          GAMESDIR GAMEDIR GAMEDATADIR DATADIR MANDIR DOCDIR
set -eu
cmake=$1 build=$2 src=$3 id=$4 tools=$5
gamesdir=$6 gamedir=$7 gamedatadir=$8 datadir=$9 mandir=${10} docdir=${11}

tmp=$(mktemp -d)
real=
trap '[ -z "$real" ] || kill "$real" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fails=0
# Every start below runs from the scratch folder, which also shows up a relative XDG_DATA_HOME used as is;
# the caller's XDG_DATA_HOME must not send a start into a real player's folder.
cd "$tmp"
unset XDG_DATA_HOME
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }

# Spaces in the prefix and the home folder catch a missing pair of quotes in the launcher.
prefix="$tmp/the prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log"
launcher=$prefix/$gamesdir/velmora
game=$prefix/$gamedir/velmora
sample=$prefix/$gamedatadir/tk.vlm

# The icons come as resources/icon/velmora-<size>.png.
icon_size() {
  size=${1##*-}
  echo "${size%.png}"
}

# What is installed, and nothing more: no tests, benchmarks or other tools.
{
  echo "$gamesdir/velmora"
  echo "$gamedir/velmora"
  echo "$gamedir/velmora-print.so"
  echo "$gamedatadir/tk.vlm"
  echo "$mandir/man6/velmora.6.gz"
  if [ "$tools" = 1 ]; then
    echo "$gamesdir/velmora-tkmaker"
    echo "$mandir/man1/velmora-tkmaker.1.gz"
  fi
  echo "$datadir/applications/$id.desktop"
  echo "$datadir/metainfo/$id.metainfo.xml"
  for png in "$src"/resources/icon/velmora-*.png; do
    size=$(icon_size "$png")
    echo "$datadir/icons/hicolor/${size}x$size/apps/$id.png"
  done
  echo "$datadir/icons/hicolor/scalable/apps/$id.svg"
  echo "$docdir/copyright"
  echo "$docdir/changelog.gz"
  echo "$datadir/lintian/overrides/velmora"
} | sort >"$tmp/expected"
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | sort >"$tmp/installed"
diff "$tmp/expected" "$tmp/installed" >&2 || fail "installed files differ from the expected list (< missing, > extra)"

[ -x "$launcher" ] || fail "launcher not executable"
[ -x "$game" ] || fail "game not executable"
cmp -s "$sample" "$src/resources/tk.vlm" || fail "installed sample differs from resources/tk.vlm"
for png in "$src"/resources/icon/velmora-*.png; do
  size=$(icon_size "$png")
  cmp -s "$png" "$prefix/$datadir/icons/hicolor/${size}x$size/apps/$id.png" || fail "icon $size differs"
done
if [ "$tools" = 1 ]; then
  "$prefix/$gamesdir/velmora-tkmaker" check "$sample" >/dev/null || fail "velmora-tkmaker check of the sample failed"
fi

entry=$prefix/$datadir/applications/$id.desktop
for line in 'Exec=velmora' "Icon=$id" 'Terminal=false' 'Categories=Game;LogicGame;' 'Name=Velmora' \
  'Name[zh_CN]=Velmora 数独'; do
  grep -qxF "$line" "$entry" || fail "desktop entry lacks $line"
done
grep -q '^Comment=.' "$entry" || fail "desktop entry lacks Comment"
grep -q '^Comment\[zh_CN\]=.' "$entry" || fail "desktop entry lacks Comment[zh_CN]"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" >&2 || fail "desktop-file-validate"
fi

# The stand-in game reports its process, its folder and its argument count.
cat >"$game" <<'EOF'
#!/bin/sh
printf '%s\n' "$$" "$(pwd -P)" "$#" >"$FAKE_GAME_LOG"
EOF
log=$tmp/game.log

# Starts the installed launcher as the menu does (by name, through PATH) with HOME=$1 and
# XDG_DATA_HOME=$2 (unset when empty); then checks that the game ran, by exec, in folder $3.
start() {
  rm -f "$log"
  if [ -n "$2" ]; then
    HOME=$1 XDG_DATA_HOME=$2 FAKE_GAME_LOG=$log PATH="$prefix/$gamesdir:$PATH" velmora &
  else
    HOME=$1 FAKE_GAME_LOG=$log PATH="$prefix/$gamesdir:$PATH" velmora &
  fi
  pid=$!
  wait "$pid" || { fail "launcher exited with $? for HOME=$1 XDG_DATA_HOME=$2"; return 0; }
  [ -f "$log" ] || { fail "game not started for HOME=$1 XDG_DATA_HOME=$2"; return 0; }
  want=$(cd "$3" 2>/dev/null && pwd -P) || { fail "no folder $3"; return 0; }
  [ "$(sed -n 1p "$log")" = "$pid" ] || fail "game not exec'd in place of the launcher"
  [ "$(sed -n 2p "$log")" = "$want" ] || fail "game started in $(sed -n 2p "$log"), not $want"
  [ "$(sed -n 3p "$log")" = 0 ] || fail "game given arguments"
}

# First start: the folder is made and gets the sample.
home="$tmp/home dir"
folder=$home/.local/share/velmora
start "$home" "" "$folder"
cmp -s "$folder/tk.vlm" "$sample" || fail "sample not copied on the first start"
[ ! -e "$folder/tk.vlm.part" ] || fail "temporary copy left behind"

# The player's own collection stays as it is; a deleted one comes back as the sample.
printf '[mine]\r\n' >"$folder/tk.vlm"
start "$home" "" "$folder"
[ "$(cat "$folder/tk.vlm")" = "$(printf '[mine]\r')" ] || fail "player's tk.vlm overwritten"
rm "$folder/tk.vlm"
start "$home" "" "$folder"
cmp -s "$folder/tk.vlm" "$sample" || fail "sample not copied again after the player removed it"

# A folder that already exists with the player's collection and no sample copy.
home2=$tmp/home2
mkdir -p "$home2/.local/share/velmora"
echo own >"$home2/.local/share/velmora/tk.vlm"
start "$home2" "" "$home2/.local/share/velmora"
[ "$(cat "$home2/.local/share/velmora/tk.vlm")" = own ] || fail "existing tk.vlm overwritten"

# XDG_DATA_HOME moves the folder; a relative one is ignored.
home3=$tmp/home3
start "$home3" "$tmp/xdg data" "$tmp/xdg data/velmora"
cmp -s "$tmp/xdg data/velmora/tk.vlm" "$sample" || fail "sample not copied under XDG_DATA_HOME"
[ ! -e "$home3/.local" ] || fail "folder made under HOME although XDG_DATA_HOME is set"
start "$home3" "relative" "$home3/.local/share/velmora"
[ ! -e "$tmp/relative" ] || fail "relative XDG_DATA_HOME used"

# Started through a link elsewhere, it still finds the game.
mkdir "$tmp/links"
ln -s "$launcher" "$tmp/links/velmora"
rm -f "$log"
HOME=$home FAKE_GAME_LOG=$log "$tmp/links/velmora" || fail "launcher through a link exited with $?"
[ -f "$log" ] || fail "game not started through a link"

# A folder that cannot be made stops the launcher before the game starts.
touch "$tmp/a file"
rm -f "$log"
if HOME=$home XDG_DATA_HOME="$tmp/a file" FAKE_GAME_LOG=$log "$launcher" 2>/dev/null; then
  fail "launcher succeeded without its folder"
fi
[ ! -f "$log" ] || fail "game started without its folder"

# Command-line manners: --help and --version are answered without starting the game; anything else
# is refused in one line with status 2. The version is the project's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# Runs "$@" with HOME=$home; its status goes to $rc, its output to $tmp/out and $tmp/err.
answer() {
  rm -f "$log"
  rc=0
  HOME=$home FAKE_GAME_LOG=$log "$@" >"$tmp/out" 2>"$tmp/err" || rc=$?
}
answer "$launcher" --help
[ "$rc" = 0 ] && grep -q '^Usage: velmora' "$tmp/out" || fail "launcher --help: status $rc, $(head -1 "$tmp/out")"
answer "$launcher" --version
[ "$rc" = 0 ] && [ "$(cat "$tmp/out")" = "velmora $version" ] || fail "launcher --version: status $rc, $(cat "$tmp/out")"
[ ! -f "$log" ] || fail "launcher --help or --version started the game"
for args in --frobnicate "--help extra" "--version --help" -h "one two"; do
  # shellcheck disable=SC2086 # split on purpose
  answer "$launcher" $args
  [ "$rc" = 2 ] || fail "launcher $args: status $rc, not 2"
  [ "$(wc -l <"$tmp/err")" = 1 ] && [ ! -s "$tmp/out" ] || fail "launcher $args: not one line on standard error"
  [ ! -f "$log" ] || fail "launcher $args started the game"
done
answer "$launcher" "$(printf 'a\033[2Jb')"
if grep -q "$(printf '\033')" "$tmp/err"; then fail "launcher echoed an escape character"; fi
if [ "$tools" = 1 ]; then
  answer "$prefix/$gamesdir/velmora-tkmaker" --version
  [ "$rc" = 0 ] && [ "$(cat "$tmp/out")" = "velmora-tkmaker $version" ] || fail "velmora-tkmaker --version: $(cat "$tmp/out")"
  ln -s "$prefix/$gamesdir/velmora-tkmaker" "$tmp/links/tk"
  answer "$tmp/links/tk" frobnicate
  [ "$rc" = 2 ] && [ "$(head -1 "$tmp/err")" = "tk: unknown command frobnicate" ] || fail "tkmaker named itself $(head -1 "$tmp/err")"
fi

# With no display the game says so in one line and ends with an error, not an abort.
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_SESSION_TYPE= "$build/velmora" >"$tmp/out" 2>"$tmp/err" || rc=$?
[ "$rc" != 0 ] && [ "$rc" -lt 128 ] || fail "game without a display: status $rc"
[ "$(cat "$tmp/out" "$tmp/err" | wc -l)" = 1 ] && grep -q 'graphical display' "$tmp/err" ||
  { fail "game without a display did not say so in one line:"; cat "$tmp/out" "$tmp/err" >&2; }
# A platform that fails otherwise (its plugin missing) is reported in Qt's words, not as no display.
rc=0
QT_QPA_PLATFORM=velmora-none "$build/velmora" >"$tmp/out" 2>"$tmp/err" || rc=$?
[ "$rc" = 1 ] && grep -q '"velmora-none"' "$tmp/err" && ! grep -q 'graphical display' "$tmp/err" ||
  { fail "game with a missing platform plugin: status $rc,"; cat "$tmp/out" "$tmp/err" >&2; }

# The build tree's launcher starts the real game, which writes its record table into the folder.
home4="$tmp/real home"
folder=$home4/.local/share/velmora
HOME=$home4 QT_QPA_PLATFORM=offscreen "$build/run/velmora" >"$tmp/real.log" 2>&1 &
real=$!
i=0
while [ ! -f "$folder/phb.txt" ] && kill -0 "$real" 2>/dev/null && [ $i -lt 300 ]; do
  sleep 0.1
  i=$((i + 1))
done
[ -f "$folder/phb.txt" ] || { fail "the real game wrote no phb.txt in $folder"; cat "$tmp/real.log" >&2; }
cmp -s "$folder/tk.vlm" "$src/resources/tk.vlm" || fail "build tree launcher did not copy resources/tk.vlm"
kill -0 "$real" 2>/dev/null || fail "the real game did not keep running"
kill "$real" 2>/dev/null || true
wait "$real" 2>/dev/null || true
real=

[ "$fails" = 0 ] || { echo "$fails check(s) failed" >&2; exit 1; }
echo "launcher: all checks passed"
