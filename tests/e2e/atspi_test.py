#!/usr/bin/env python3
"""The running game as a screen reader and a keyboard player meet it.

Reads the game's AT-SPI tree and drives it with xdotool on a real X server: names of tool buttons,
status-bar panels, the rules box and the clock; cells named by row and column with their text and a
read-only state for clues; arrow keys that carry the focus past clues; the candidate panel's boxes with
which digits are offered; the congratulation.

Run inside an X server and a session bus (tests/e2e/atspi_test.sh sets both up):
    atspi_test.py LAUNCHER
where LAUNCHER is build/run/velmora.
"""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

SOLVED = ["534678912", "672195348", "198342567", "859761423", "426853791",
          "713924856", "961537284", "287419635", "345286179"]
OPEN = {(1, 1), (1, 3), (2, 3), (9, 9)}  # the cells the saved game leaves to the player

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)


def wait_for(what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        value = what()
        if value:
            return value
        time.sleep(0.2)
    return None


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def find(root, role=None, name=None):
    for node in walk(root):
        if (role is None or node.get_role_name() == role) and (name is None or node.get_name() == name):
            return node
    return None


def has(node, state):
    return node.get_state_set().contains(state)


def text_of(node):
    return Atspi.Text.get_text(node, 0, -1)


def click(node):
    r = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    subprocess.run(["xdotool", "mousemove", str(r.x + r.width // 2), str(r.y + r.height // 2), "click", "1"],
                   check=True)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


def main():
    launcher = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp(prefix="velmora-atspi-")
    folder = os.path.join(home, "velmora")
    os.makedirs(folder)
    # A saved game with four open cells: (1,1) 5, (1,3) 4, (2,3) 2 and (9,9) 9.
    lines = []
    for row in range(1, 10):
        for col in range(1, 10):
            lines.append("0" if (row, col) in OPEN else "1" + SOLVED[row - 1][col - 1])
    with open(os.path.join(folder, "nearly.txt"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    game = subprocess.Popen([launcher], env=env)
    try:
        run(game)
    finally:
        game.terminate()
        game.wait(10)


def run(game):
    def the_app():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == game.pid and find(app, "menu bar"):
                return app
        return None

    app = wait_for(lambda: game.poll() is not None or the_app())
    if app is True or app is None:
        sys.exit("the game did not appear in the AT-SPI tree (exit status %s)" % game.poll())
    if find(app, "text", "第9行第9列") is None:
        sys.exit("the cells are not named by row and column")
    window = find(app, "frame", "Velmora1.5")
    check(window is not None, "the main window is a frame named by its caption")

    # Tool buttons are named by their hints; the gaps between them are separators, not nameless buttons.
    for hint in ["装载游戏", "游戏存盘", "自定义游戏", "初级", "中级", "高级", "骨灰级", "精选题目", "重玩此局"]:
        check(find(app, "push button", hint) is not None, "tool button named " + hint)
    check(find(app, "check box", "候选数面板显示") is not None, "the candidate switch is named by its hint")
    check(not [n for n in walk(app) if n.get_role_name() == "push button" and not n.get_name()],
          "no push button without a name")

    # The status bar's panels, the clock and the rules box say their texts.
    bar = find(app, "status bar")
    panels = [bar.get_child_at_index(i).get_name() for i in range(bar.get_child_count())] if bar else []
    # Version, mail and home page, and a chat line where the build sets one.
    check(len(panels) >= 3 and panels[0] == "Velmora 1.5" and all(panels), "status-bar panels: %r" % panels)
    check(find(app, "label", "0:0:0") is not None, "the clock says its time")
    rules = find(app, "text", "游戏说明")
    check(rules is not None and text_of(rules).startswith("游戏说明:在九宫") and has(rules, Atspi.StateType.READ_ONLY),
          "the rules box is read-only text")

    # Load the saved game through the tool button and the file dialog.
    click(find(app, "push button", "装载游戏"))
    check(wait_for(lambda: app.get_child_count() > 1) is not None, "the load dialog opens")
    time.sleep(0.5)
    subprocess.run(["xdotool", "type", "--delay", "50", "nearly.txt"], check=True)
    keys("Return")

    def cell(row, col):
        return find(app, "text", "第%d行第%d列" % (row, col))

    check(wait_for(lambda: text_of(cell(1, 2)) == "3") is not None, "the saved game is loaded")
    for row in range(1, 10):
        for col in range(1, 10):
            node = cell(row, col)
            clue = (row, col) not in OPEN
            expected = SOLVED[row - 1][col - 1] if clue else ""
            if text_of(node) != expected or has(node, Atspi.StateType.READ_ONLY) != clue:
                check(False, "cell %d,%d: text %r, read-only %s" % (row, col, text_of(node),
                                                                     has(node, Atspi.StateType.READ_ONLY)))

    # Keyboard play: arrows carry the focus past the clues and stop at the edge of what is open.
    def focused_cell():
        for row in range(1, 10):
            for col in range(1, 10):
                if has(cell(row, col), Atspi.StateType.FOCUSED):
                    return (row, col)
        return None

    click(cell(1, 1))
    check(wait_for(lambda: focused_cell() == (1, 1)), "a click focuses the cell")
    keys("Right")
    check(wait_for(lambda: focused_cell() == (1, 3)), "Right skips the clue: focus at %r" % (focused_cell(),))
    keys("4", "Down", "2", "Left", "Left")
    check(wait_for(lambda: text_of(cell(2, 3)) == "2"), "typing goes on in the new cell")
    check(text_of(cell(1, 3)) == "4", "typed into (1,3): %r" % text_of(cell(1, 3)))
    check(focused_cell() == (2, 3), "Left past two clues to the board's edge stays: %r" % (focused_cell(),))

    # The candidate panel offers the one digit left for (1,1) and writes it.
    click(find(app, "check box", "候选数面板显示"))
    click(cell(1, 1))
    panel = find(app, "panel", "候选数面板")
    check(panel is not None and wait_for(lambda: has(panel, Atspi.StateType.SHOWING)), "the candidate panel shows")
    boxes = {panel.get_child_at_index(i).get_name(): panel.get_child_at_index(i) for i in range(panel.get_child_count())}
    check(sorted(boxes) == sorted("123456789NH"), "the panel's boxes: %r" % sorted(boxes))
    for digit in "12346789":
        check(boxes[digit].get_description() == "不是候选数" and not has(boxes[digit], Atspi.StateType.ENABLED),
              "digit %s is not offered" % digit)
    check(boxes["5"].get_description() == "是候选数" and has(boxes["5"], Atspi.StateType.ENABLED), "5 is offered")
    click(boxes["5"])
    check(wait_for(lambda: text_of(cell(1, 1)) == "5"), "the panel writes its digit")

    # The last digit completes the board: the congratulation shows.
    click(find(app, "check box", "候选数面板显示"))
    click(cell(9, 9))
    keys("9")
    done = find(app, "label", "恭喜你完成任务")
    check(done is not None and wait_for(lambda: has(done, Atspi.StateType.SHOWING)), "the congratulation shows")

    # A new game: the clock's name follows its time.
    click(find(app, "push button", "初级"))
    check(wait_for(lambda: find(app, "label", "0:0:1") or find(app, "label", "0:0:2")), "the clock's name ticks")


if __name__ == "__main__":
    main()
    if failures:
        sys.exit("%d failures" % len(failures))
    print("all checks passed")
