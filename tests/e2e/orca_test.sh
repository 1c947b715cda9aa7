#!/usr/bin/env bash
# What a blind player hears: the real game under Orca, the desktop's screen reader, on Xvfb under
# openbox, played with keys alone from start to a stored record, then a new game (pause, pencil marks,
# undo) kept at SIGTERM and brought back at the next start. Orca speaks into a null sound device and
# writes what it says to its debug log, which each step waits on.
# Usage: orca_test.sh VELMORA-BINARY   (needs xvfb-run, openbox, xdotool, dbus, at-spi2-core, orca,
# speech-dispatcher, espeak-ng, iconv)
set -uo pipefail

. "$(dirname "$(readlink -f "$0")")/common.sh"
needs="openbox xdotool dbus-run-session orca iconv" own_x_server "$0" "$@"
# Once more inside a session bus of its own, where the accessibility bus and Orca live.
if [ -z "${VELMORA_E2E_BUS:-}" ]; then
  VELMORA_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
game=$(realpath "$1")
enter_scratch_folder
start_openbox || { echo "FAIL: openbox did not start" >&2; exit 1; }

# Orca's own settings, speech and log in the scratch folder; no sound card: ALSA's null device.
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/run \
  LANG=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_DATA_HOME/orca" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
sed 's/^#* *AudioOutputMethod .*/AudioOutputMethod "alsa"/' /etc/speech-dispatcher/speechd.conf \
  >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$HOME/.asoundrc"
# The debug log is block-buffered otherwise.
printf 'import orca.debug\ntry:\n    orca.debug.debugFile.reconfigure(line_buffering=True)\nexcept Exception:\n    pass\n' \
  >"$XDG_DATA_HOME/orca/orca-customizations.py"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
orca=
# Orca starts no second copy for the same user, so this one is waited for until it has gone.
gone() { ! kill -0 "$1" 2>/dev/null; }
trap 'kill $orca "$bus" 2>/dev/null; [ -z "$orca" ] || wait_for 10 gone "$orca"; [ -z "$pid" ] || kill "$pid" 2>/dev/null
      kill "$wm" 2>/dev/null; rm -rf "$tmp"' EXIT
said() { grep -a "SPEECH OUTPUT" "$tmp/orca.out" 2>/dev/null | sed "s/^.*SPEECH OUTPUT: '//; s/'[^']*\$//"; }
orca_on() { grep -aq "Screen reader on" "$tmp/orca.out" 2>/dev/null; }
on_or_gone() { orca_on || gone "$orca"; }
# Orca refuses to start while another copy runs for the same user (a player's own, another test's, or
# one still ending): each try waits for it to go, and a copy that started at the same moment ends ours.
for try in 1 2 3; do
  wait_for 180 sh -c '! pgrep -u "$(id -u)" -x orca >/dev/null' ||
    { echo "FAIL: another Orca runs for this user, and Orca starts no second one" >&2; exit 1; }
  orca --debug-file="$tmp/orca.out" >/dev/null 2>&1 &
  orca=$!
  wait_for 90 on_or_gone
  orca_on && break
done
orca_on || { echo "FAIL: Orca did not start" >&2; exit 1; }

prepare_folder
cp default.txt phb.txt
"$game" >game.log 2>&1 &
pid=$!
heard=0
# Waits until Orca has said, since the last step, a line holding each of the texts given.
said_since() { said | tail -n +$((heard + 1)) | grep -qF -- "$1"; }
hears() {
  local text
  for text in "$@"; do
    wait_for 30 said_since "$text" ||
      fail "$step_name: Orca did not say \"$text\"; it said: $(said | tail -n +$((heard + 1)) | tr '\n' '|')"
  done
  heard=$(said | wc -l)
}
press() { step_name="$*"; xdotool key --delay 150 "$@"; }
# Waits until Orca has said, since the last step, a line that is exactly the text given: one character
# read alone after a caret move, not the same character inside a line it read before.
# (Orca 43 writes the voice after the text: "SPEECH OUTPUT: '戏' {'established': ...}".)
said_line_since() {
  said | sed "s/' {.*\$//" | tail -n +$((heard + 1)) | grep -qxF -- "$1"
}
hears_alone() {
  wait_for 10 said_line_since "$1" ||
    fail "$step_name: Orca did not say \"$1\" alone; it said: $(said | tail -n +$((heard + 1)) | tr '\n' '|')"
  heard=$(said | wc -l)
}

step "start: the window and its focus"
step_name=start
hears "Velmora1.5 frame" "游戏说明 read only text"
step "offset 0 of the rules box, by End then Home and by Right then Left: Orca asks its words there and reads on"
press End Home Right; hears_alone "戏"
press Left; hears_alone "游"
press Right; hears_alone "戏"
step "the tool bar by Tab, the collection by Enter: a list of titles"
press Tab; hears "装载游戏 push button"
press Tab Tab Tab Tab Tab Tab Tab; hears "精选题目 push button"
press Return; hears "[e2e] dialog" "[e2e]"
step "its 确定 plays the puzzle: the focus in the open cell, then the puzzle's title and level"
press Tab Return; hears "棋盘" "第5行第5列 text" "精选题目 [e2e]，中级"
step "a clue says so; a repeat names its pair; Backspace says what it deleted"
press Left; hears "第5行第4列 read only text" "提示数"
press Right; hears "第5行第5列 text"
press 1; hears "与第8行第5列重复"  # the last peer holding a 1
press BackSpace; hears "1"
step "pencil marks are told one by one; Left inside a cell reads the digit it passes"
press 3 7; hears "候选 3 7"
press Left; hears "7"
press Delete BackSpace
step "Ctrl+T tells the time"
press ctrl+t; hears "用时"
step "the last digit: the new-record dialog's message and its name box"
press 9; hears "已破中级记录" "请留下尊姓大名 text"
step "offset 0 of the name box, by End then Home: Orca reads on, and the whole name is selected again"
press End Home; hears_alone "佚"
press Right; hears_alone "名"
press Home shift+End; hears "佚名"
step "a name and Enter store the record; back in the main window, the focus on a new game, then the congratulation"
xdotool type --delay 100 Bob
# The focus lands on the level's button once the board is locked: until then a menu key would race with it.
press Return; hears "Velmora1.5 frame" "中级 push button" "恭喜你完成任务"
wait_for 5 sh -c "sed -n 4p phb.txt | grep -q Bob" || fail "the record was not stored: $(od -c phb.txt | head -4)"
step "the record table by the menu reads its records; Escape closes it"
press alt; hears "游戏"
press Return Down Down Down Down Return; hears "排行榜 dialog" "普通：" "Bob" "确定 push button"
# The focus is told again as the dialog closes; the menu key waits for it.
press Escape; hears "Velmora1.5 frame" "中级 push button"
step "help reads on by lines: Down says the line it reaches"
press alt; hears "游戏"
press Right Return; hears "帮助"
press Return; hears "帮助 dialog" "Velmora 数独 · 帮助"
press Down; hears "在每一行"
press Escape; hears "Velmora1.5 frame"
# Whether Orca said a line that is exactly the text given since the line numbered $1.
said_since_line() { said | tail -n +$(( $1 + 1 )) | grep -qxF -- "$2"; }
step "a new game; paused, a key that can do nothing says why; going on is told"
# By the tool bar's 中级, with the mouse: whichever control the focus came back to, the game starts.
locate_main "$(xdotool search --onlyvisible --name '^Velmora1\.5$' | head -1)"
step_name="中级 on the tool bar"
tool 107; hears "新游戏，中级"
press ctrl+p; hears "已暂停"
press ctrl+z; hears "已暂停，不能撤销"
press ctrl+p; hears "继续游戏"
step "pencil marks are read as 候选 only, never as a number; undo tells the cell once"
press 2 9; hears "候选 2 9"
press Right; hears "第"
from=$heard
press Left; hears "候选 2 9"
! said_since_line "$from" "29." || fail "the marks were read as the number 29: $(said | tail -n +$((from + 1)) | tr '\n' '|')"
press ctrl+z; hears "撤销：第"
step "the game kept at SIGTERM; the next start opens on the board: the window, the cell, then the game"
kill -TERM "$pid"
wait_for 30 sh -c "! kill -0 $pid 2>/dev/null" || fail "the game did not end on SIGTERM"
from=$heard
"$game" >game.log 2>&1 &
pid=$!
step_name="the game brought back"
hears "Velmora1.5 frame" "列 text" "继续上次的游戏，中级"
line_of() { said | tail -n +$(( from + 1 )) | grep -nF -- "$1" | head -1 | cut -d: -f1; }
[ "$(line_of "Velmora1.5 frame")" -lt "$(line_of "列 text")" ] && [ "$(line_of "列 text")" -lt "$(line_of 继续上次的游戏)" ] ||
  fail "the game brought back was not told after the window and the cell: $(said | tail -n +$((from + 1)) | tr '\n' '|')"
! said_since_line "$from" "notification." || fail "an empty notice was said at start"

[ "$fails" = 0 ] && echo "all steps passed"
exit $(( fails > 0 ))
