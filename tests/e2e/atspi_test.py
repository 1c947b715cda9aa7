#!/usr/bin/env python3
"""The running game as a screen reader and a keyboard player meet it.

Plays the game with keys alone (xdotool) on a real X server and checks, step by step, what AT-SPI
(the desktop's accessibility bus, which screen readers read) receives: the focused object's role,
name, description, text and state, that every object of each window names its real parent and index
in it, and the notifications that a screen reader speaks (a new game's level, a repeat, the
completion). From start to a stored record: loading a game, the board's arrows and Tab, the clues,
the candidate panel, the menus and every dialog with Escape.

Run inside an X server and a session bus (tests/e2e/atspi_test.sh sets both up):
    atspi_test.py LAUNCHER
where LAUNCHER is build/run/velmora.
"""
import os
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# Orca reads a line as AT-SPI's older call gives it, from the line's start: the test asks the same.
warnings.filterwarnings("ignore", message=".*get_text_at_offset is deprecated")

SOLVED = ["534678912", "672195348", "198342567", "859761423", "426853791",
          "713924856", "961537284", "287419635", "345286179"]
OPEN = {(1, 1), (1, 3), (2, 3), (9, 9)}  # the cells the saved game leaves to the player
# A collection of one puzzle, its centre cell (a 9) left open: filling it beats the level 2 record.
COLLECTION = "[e2e]\r\n" + "".join(r + "\r\n" for r in [
    "123456789", "456789123", "789123456", "234567891", "567801234",
    "891234567", "345678912", "678912345", "912345678"])

failures = []
notices = []  # names of the notifications shown, in order
carets = []  # (name of the text, offset) of each caret move told
pid = None


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.05)


def tab_on(focused):
    """Tab, and wait until the focus has moved on (a busy machine takes its time)."""
    before = describe(focused())
    keys("Tab")
    wait_for(lambda: describe(focused()) != before, 10)


def wait_for(what, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        value = what()
        if value:
            return value
        pump(0.15)
    return None


def on_showing(event):
    try:
        if event.detail1 == 1 and event.source.get_role() == Atspi.Role.NOTIFICATION and \
                event.source.get_process_id() == pid:
            notices.append(event.source.get_name())
    except GLib.Error:
        pass


def on_caret(event):
    try:
        if event.source.get_process_id() == pid:
            carets.append((event.source.get_name(), event.detail1))
    except GLib.Error:
        pass


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def unlinked(window):
    """The objects of a window that do not name their real index in their real parent."""
    bad = []
    for node in walk(window):
        if node is window:
            continue
        parent, index = node.get_parent(), node.get_index_in_parent()
        if parent is None or index < 0 or parent.get_child_at_index(index) != node:
            bad.append("%s %r (index %d)" % (node.get_role_name(), node.get_name(), index))
    return bad


def has(node, state):
    return node.get_state_set().contains(state)


def text_of(node):
    return Atspi.Text.get_text(node, 0, -1) if node is not None else None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120", *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "80", text], check=True)


def main():
    global pid
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
    with open(os.path.join(folder, "tk.vlm"), "wb") as f:
        f.write(COLLECTION.encode())
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    listener = Atspi.EventListener.new(on_showing)
    listener.register("object:state-changed:showing")
    caret_listener = Atspi.EventListener.new(on_caret)
    caret_listener.register("object:text-caret-moved")
    game = subprocess.Popen([launcher], env=env)
    pid = game.pid
    try:
        run(game, folder)
    finally:
        game.terminate()
        game.wait(10)


def run(game, folder):
    def the_app():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == game.pid and app.get_child_count() > 0:
                return app
        return None

    app = wait_for(lambda: game.poll() is not None or the_app(), 60)
    if app is True or app is None:
        sys.exit("the game did not appear in the AT-SPI tree (exit status %s)" % game.poll())

    def focused():
        # The innermost focused object of the active window (a box of the candidate panel, not the panel).
        found = None
        for window in [app.get_child_at_index(i) for i in range(app.get_child_count())]:
            if window is None or not has(window, Atspi.StateType.ACTIVE):
                continue
            for node in walk(window):
                if has(node, Atspi.StateType.FOCUSED):
                    found = node
        return found

    def active_window():
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is not None and has(window, Atspi.StateType.ACTIVE):
                return window
        return None

    def focus_is(role, name=None, description=None, text=None, states=()):
        def match():
            node = focused()
            return node is not None and node.get_role_name() == role and \
                (name is None or node.get_name() == name) and \
                (description is None or node.get_description() == description) and \
                (text is None or text_of(node) == text) and \
                all(has(node, s) for s in states) and node
        return match

    def window_is(role, name):
        return lambda: (lambda w: w is not None and w.get_role_name() == role and w.get_name() == name and w)(
            active_window())

    def heard(notice):
        return lambda: notice in notices

    def cell(row, col):
        frame = [app.get_child_at_index(i) for i in range(app.get_child_count())]
        for window in frame:
            if window is not None and window.get_name() == "Velmora1.5":
                for node in walk(window):
                    if node.get_role_name() == "text" and node.get_name() == "第%d行第%d列" % (row, col):
                        return node
        return None

    RO = Atspi.StateType.READ_ONLY
    # Each step: the keys (or text) a player gives, then what AT-SPI must show; "tree" checks that
    # every object of the active window names its real parent and index.
    steps = [
        ("start", None, window_is("frame", "Velmora1.5"), "tree"),
        ("the focus is announced at start", None, focus_is("text", "游戏说明", states=[RO]), None),
        ("Tab reaches the tool bar", ["Tab"], focus_is("push button", "装载游戏"), None),
        ("Enter opens the file dialog", ["Return"], window_is("dialog", "打开"), None),
        ("the saved game loads", "nearly.txt\n", focus_is("text", "第1行第1列", text=""), "tree"),
        ("... and says so", None, heard("已装载 nearly.txt"), None),
        ("a clue says it is one", ["Right"], focus_is("text", "第1行第2列", "提示数", "3", [RO]), None),
        ("typing on a clue does nothing", "7", lambda: text_of(cell(1, 2)) == "3", None),
        ("one arrow leaves a clue", ["Right"], focus_is("text", "第1行第3列", ""), None),
        ("a repeat names its pair", "3", focus_is("text", "第1行第3列", "与第1行第2列重复", "3"), None),
        ("... and is spoken", None, heard("与第1行第2列重复"), None),
        ("the clue names it back", None, lambda: cell(1, 2).get_description() == "提示数，与第1行第3列重复", None),
        ("Backspace ends the repeat", ["BackSpace"], focus_is("text", "第1行第3列", "", ""), None),
        ("", "4", focus_is("text", "第1行第3列", "", "4"), None),
        ("pencil marks are described one by one", "7", focus_is("text", "第1行第3列", "候选 4 7", "47"), None),
        ("a caret move inside a cell is told", ["Left"], lambda: carets[-1:] == [("第1行第3列", 1)], None),
        ("", ["Right"], lambda: carets[-1:] == [("第1行第3列", 2)], None),
        ("", ["BackSpace"], focus_is("text", "第1行第3列", "", "4"), None),
        ("Ctrl+T tells the time", ["ctrl+t"], lambda: any(n.startswith("用时") for n in notices), None),
        ("arrows stop at the board's edge", ["Left", "Left", "Left"], focus_is("text", "第1行第1列"), None),
        ("Ctrl+Space with the panel switched off", ["ctrl+space"], heard("候选数面板显示未按下"), None),
        ("Shift+Tab leaves the board for the tool bar", ["shift+Tab"], focus_is("push button", "提示"), None),
        ("undo, which has a step to take back", ["shift+Tab"], focus_is("push button", "撤销"), None),
        ("a greyed redo is passed by", ["shift+Tab"], focus_is("push button", "重玩此局"), None),
        ("", ["shift+Tab"], focus_is("check box"), None),
        ("Space switches the panel on", ["space"], lambda: has(focused(), Atspi.StateType.CHECKED), None),
        ("Tab enters the board at the cell it left", ["Tab"] * 4, focus_is("text", "第1行第1列"), None),
        ("Ctrl+Space opens the panel on its offered digit", ["ctrl+space"], focus_is("push button", "5", "是候选数"), None),
        ("arrows move among its boxes", ["Right"], focus_is("push button", "6", "不是候选数"), None),
        ("", ["Up"], focus_is("push button", "3"), None),
        ("", ["Up"], focus_is("push button", "H"), None),
        ("", ["Down", "Left"], focus_is("push button", "1", "不是候选数"), None),
        ("Escape closes it", ["Escape"], focus_is("text", "第1行第1列", text=""), None),
        ("Enter writes the digit", ["ctrl+space", "Return"], focus_is("text", "第1行第1列", text="5"), None),
        ("arrows go over every cell", ["Down", "Right", "Right"], focus_is("text", "第2行第3列"), None),
        ("", "2", lambda: text_of(cell(2, 3)) == "2", None),
        ("", ["Down"] * 7 + ["Right"] * 6, focus_is("text", "第9行第9列"), None),
        ("the completion is spoken", "9", heard("恭喜你完成任务"), None),
        ("the focus stays on something named", None, lambda: focused() is not None and focused().get_name(), None),
    ]
    run_steps(steps, focused, active_window)
    # A level button, reached by Tab round the window.
    for _ in range(20):
        node = focused()
        if node is not None and node.get_name() == "初级":
            break
        tab_on(focused)
    keys("Return")
    check(wait_for(heard("新游戏，初级")), "a new game says its level: %r" % notices[-3:])
    check(wait_for(lambda: (lambda n: n is not None and n.get_name().startswith("第"))(focused())),
          "a new game puts the focus in a cell")

    # The hint in three presses of Ctrl+H: where to look, with the word that the game is no longer
    # recorded; the cells of the step, each describing its part; the step done, one digit placed.
    def board():
        return {(r, c): text_of(cell(r, c)) for r in range(1, 10) for c in range(1, 10)}

    before = board()
    keys("ctrl+h")
    check(wait_for(lambda: any(n.startswith("看") and "使用提示后，本局不计入排行榜" in n for n in notices)),
          "the first press of the hint says where to look: %r" % notices[-3:])
    keys("ctrl+h")
    parts = wait_for(lambda: [cell(r, c).get_description() for r in range(1, 10) for c in range(1, 10)
                              if "提示：" in cell(r, c).get_description()])
    check(parts, "the second press names the cells of the step in their descriptions")
    keys("ctrl+h")
    placed = wait_for(lambda: [k for k, v in board().items() if v != before[k]])
    check(placed and len(placed) == 1 and len(board()[placed[0]]) == 1,
          "the third press places one digit: %r" % (placed,))
    check(wait_for(lambda: not any("提示：" in cell(r, c).get_description() for r in range(1, 10) for c in range(1, 10))),
          "the step done, no cell is tinted")

    def tab_to(name):
        for _ in range(20):
            node = focused()
            if node is not None and node.get_name() == name:
                return True
            tab_on(focused)
        return False

    # Every dialog closes by Escape, and the focus comes back to something named. The menus open by
    # Alt; their separators are passed over.
    dialogs = [
        ("the record table", lambda: (keys("alt"), pump(0.3), keys("Return"), pump(0.3),
                                      keys(*(["Down"] * 4), "Return")), ("dialog", "排行榜"),
         focus_is("push button", "确定")),
        ("help", lambda: (keys("alt"), pump(0.3), keys("Right", "Return"), pump(0.3), keys("Return")),
         ("dialog", "帮助"), lambda: (lambda n: n is not None and text_of(n).startswith("Velmora 数独 · 帮助"))(focused())),
        ("about", lambda: (keys("alt"), pump(0.3), keys("Right", "Return"), pump(0.3), keys("Down", "Return")),
         ("dialog", "About"), focus_is("push button", "退出")),
        ("the collection", lambda: (tab_to("精选题目"), keys("Return")), ("dialog", "[e2e]"),
         focus_is("list item", "[e2e]")),
        ("the editor", lambda: (tab_to("自定义游戏"), keys("Return")), ("dialog", "自定义游戏"),
         focus_is("push button", "保存")),
    ]
    for what, open_it, window, first in dialogs:
        open_it()
        check(wait_for(window_is(*window)), "%s opens: active window %r" % (what, active_window() and active_window().get_name()))
        check(wait_for(first), "%s: first focus %r" % (what, describe(focused())))
        if what == "help":
            # Down and Ctrl+End move the caret, and say so: a screen reader reads the line it reaches
            # (as Orca asks for it: the line from its start).
            start = len(carets)
            keys("Down", "Down")
            check(wait_for(lambda: len(carets) >= start + 2 and carets[-1][0] == "帮助" and carets[-1][1] > 0),
                  "Down in help tells the caret: %r" % carets[start:])
            node = wait_for(focus_is("text", "帮助"))
            try:
                line = Atspi.Text.get_text_at_offset(node, carets[-1][1], Atspi.TextBoundaryType.LINE_START).content
                first = Atspi.Text.get_text_at_offset(node, 0, Atspi.TextBoundaryType.LINE_START).content
                check(line.strip() and line != first, "help's lines read as shown: %r after %r" % (line, first))
            except (GLib.Error, AttributeError) as e:
                check(False, "help's line at the caret: %s (%r)" % (e, describe(node)))
            keys("ctrl+End")
            check(wait_for(lambda: node is not None and carets[-1:] == [("帮助", Atspi.Text.get_character_count(node))]),
                  "Ctrl+End in help tells the caret at the end: %r" % carets[-2:])
            # The line there is the help's last shown line, which a screen reader then reads: not empty,
            # not the first, ending with the help's last words.
            try:
                end = Atspi.Text.get_character_count(node)
                line = Atspi.Text.get_text_at_offset(node, end, Atspi.TextBoundaryType.LINE_START)
                check(line.content.rstrip().endswith("联系方式。") and 0 < line.start_offset < end == line.end_offset,
                      "Ctrl+End in help reaches its last line: %r at %d..%d of %d"
                      % (line.content, line.start_offset, line.end_offset, end))
            except (GLib.Error, AttributeError) as e:
                check(False, "help's line at its end: %s (%r)" % (e, describe(node)))
        if what == "about":
            names = [n.get_name() for n in walk(active_window()) if n.get_role_name() == "text"]
            check("Email" in names and "主页" in names, "the about box's fields are named: %r" % names)
        if what == "the editor":
            keys("Tab", "Tab", "Tab", "Tab")
            check(wait_for(focus_is("text", "第1行第1列")), "Tab reaches the editor's cells: %r" % (describe(focused()),))
            keys("Tab")
            check(wait_for(focus_is("push button", "保存")), "Tab leaves the editor's board: %r" % (describe(focused()),))
        bad = unlinked(active_window()) if active_window() is not None else ["no window"]
        check(not bad, "%s: objects without their real parent or index: %r" % (what, bad[:5]))
        keys("Escape")
        check(wait_for(window_is("frame", "Velmora1.5")), "Escape closes %s" % what)
        check(wait_for(lambda: focused() is not None and focused().get_name()),
              "after %s the focus is on something named: %r" % (what, describe(focused())))

    # The collection's puzzle to a new record, by keys.
    tab_to("精选题目")
    keys("Return")
    wait_for(window_is("dialog", "[e2e]"))
    keys("Tab", "Return")  # 确定
    check(wait_for(focus_is("text", "第5行第5列")), "the collection's puzzle is in play: %r" % (describe(focused()),))
    typed("9")
    dialog = wait_for(lambda: (lambda w: w is not None and w.get_role_name() == "dialog" and w)(active_window()))
    check(dialog and "已破中级记录" in dialog.get_description(),
          "the new-record dialog tells its message: %r" % (dialog and dialog.get_description()))
    name_box = wait_for(focus_is("text", "请留下尊姓大名", text="佚名"))
    check(name_box and Atspi.Text.get_n_selections(name_box) == 1, "the name box has the focus with 佚名 selected")
    typed("Bob")
    keys("Return")
    check(wait_for(window_is("frame", "Velmora1.5")), "Enter in the name box closes the dialog")
    with open(os.path.join(folder, "phb.txt"), "rb") as f:
        check(b"Bob" in f.read(), "Enter in the name box stores the record")


def describe(node):
    if node is None:
        return None
    return (node.get_role_name(), node.get_name(), node.get_description())


def run_steps(steps, focused, active_window):
    for what, given, expected, extra in steps:
        if isinstance(given, list):
            keys(*given)
        elif isinstance(given, str):
            for part in given.split("\n")[:-1] if given.endswith("\n") else [given]:
                typed(part)
            if given.endswith("\n"):
                pump(0.3)
                keys("Return")
        check(wait_for(expected), "%s (%r): focus %r, notices %r" % (what, given, describe(focused()), notices[-3:]))
        if extra == "tree":
            window = active_window()
            bad = unlinked(window) if window is not None else ["no active window"]
            check(not bad, "%s: objects without their real parent or index: %r" % (what, bad[:5]))


if __name__ == "__main__":
    main()
    if failures:
        sys.exit("%d failures" % len(failures))
    print("all checks passed")
