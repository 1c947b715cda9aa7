#!/usr/bin/env python3
"""After every dialog the main window is active and a control in it has the focus, on a busy machine.

Ten dialogs in a row, beside two busy processes: a game loaded by a typed name and from the file list,
a game saved past the question before replacing, the collection left and played, the new-record
dialog, the record table, help, about and the editor. After each one closes, the main window must be
the active one with a named control focused in the accessibility tree (what a screen reader reads), and
the window manager's active window and the X input focus must be the main window (where a player's keys
go).

Run inside an X server with a window manager and a session bus (tests/e2e/atspi_test.sh sets them up):
    atspi_test.sh LAUNCHER dialog_focus_test.py
"""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# What the AT-SPI walk of the whole game has already: its collection and the ways it drives the game.
from atspi_test import COLLECTION, has, keys, pump, typed, walk  # noqa: E402

SOLVED = ["534678912", "672195348", "198342567", "859761423", "426853791",
          "713924856", "961537284", "287419635", "345286179"]
TITLE = "Velmora1.5"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def wait_for(what, timeout=20.0):
    end = time.time() + timeout
    while time.time() < end:
        try:
            value = what()
        except GLib.Error:
            value = None
        if value:
            return value
        pump(0.2)
    return None


def x(*command):
    return subprocess.run(list(command), capture_output=True, text=True).stdout.strip()


def main():
    launcher = os.path.abspath(sys.argv[1])
    home = tempfile.mkdtemp(prefix="velmora-dialogs-")
    folder = os.path.join(home, "velmora")
    os.makedirs(folder)
    # A saved game with two open cells.
    lines = ["0" if (row, col) in {(1, 1), (9, 9)} else "1" + SOLVED[row - 1][col - 1]
             for row in range(1, 10) for col in range(1, 10)]
    with open(os.path.join(folder, "nearly.txt"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())
    with open(os.path.join(folder, "tk.vlm"), "wb") as f:
        f.write(COLLECTION.encode())
    env = dict(os.environ, HOME=home, XDG_DATA_HOME=home, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    # The busy machine: two processes that never rest, one for each of the test machine's cores.
    busy = [subprocess.Popen(["sh", "-c", "while :; do :; done"]) for _ in range(2)]
    game = subprocess.Popen([launcher], env=env, cwd=folder)
    try:
        run(game, folder)
    finally:
        for p in busy:
            p.kill()
        game.terminate()
        game.wait(20)


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
    main_window = wait_for(lambda: x("xdotool", "search", "--onlyvisible", "--name", "^Velmora1\\.5$").split()[:1], 60)
    if not main_window:
        sys.exit("the main window did not open")
    main_window = int(main_window[0])

    def windows():
        return [w for w in (app.get_child_at_index(i) for i in range(app.get_child_count())) if w is not None]

    def active_window():
        return next((w for w in windows() if has(w, Atspi.StateType.ACTIVE)), None)

    def focused():
        window = active_window()
        found = None
        for node in walk(window) if window is not None else []:
            if has(node, Atspi.StateType.FOCUSED):
                found = node
        return found

    def dialog_up(name=None):
        w = active_window()
        return w is not None and w.get_role_name() in ("dialog", "alert") and (name is None or w.get_name() == name) and w

    def named(node, role=None):
        return node is not None and node.get_name() and (role is None or node.get_role_name() == role)

    def click_at(node):
        r = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
        cx, cy = r.x + r.width // 2, r.y + r.height // 2
        subprocess.run(["xdotool", "mousemove", str(cx - 1), str(cy), "mousemove", str(cx), str(cy), "click", "1"],
                       check=True)

    def button(name):
        main = next((w for w in windows() if w.get_name() == TITLE and w.get_role_name() == "frame"), None)
        return next((n for n in walk(main) if n.get_role_name() == "push button" and n.get_name() == name), None) \
            if main is not None else None

    def main_back():
        """The main window active and a named control of it focused, for AT-SPI and for X."""
        w = active_window()
        return w is not None and w.get_role_name() == "frame" and w.get_name() == TITLE and named(focused()) and \
            x("xdotool", "getactivewindow") == str(main_window) and x("xdotool", "getwindowfocus") == str(main_window)

    def state():
        try:
            w, f = active_window(), focused()
        except GLib.Error as e:
            return "unreadable: %s" % e
        return "active window %r, focus %r; X: active %s, focus %s (main %d)" % (
            w and (w.get_role_name(), w.get_name()), f and (f.get_role_name(), f.get_name()),
            x("xdotool", "getactivewindow"), x("xdotool", "getwindowfocus"), main_window)

    def opened(what, name=None):
        return check(wait_for(lambda: dialog_up(name)), "%s did not open: %s" % (what, state()))

    def closed(what):
        check(wait_for(main_back), "after %s: %s" % (what, state()))

    def menu(*path):
        keys("alt")
        pump(0.5)
        keys(*path)

    wait_for(main_back, 60)
    # 1. A game loaded by a name typed in the file dialog.
    click_at(button("装载游戏"))
    if opened("the open dialog"):
        typed("nearly.txt")
        keys("Return")
    closed("a load by a typed name")
    # 2. A game loaded from the file dialog's list.
    click_at(button("装载游戏"))
    if opened("the open dialog"):
        def entry():
            return next((n for n in walk(dialog_up()) if n.get_name() == "nearly.txt" and
                         n.get_role_name() in ("tree item", "table cell", "list item")), None)
        if check(wait_for(entry), "the file list shows nearly.txt: %s" % state()):
            click_at(entry())
            # The click puts the focus in the list; the name typed there selects its entry, and
            # Enter opens it.
            typed("nearly")
            wait_for(lambda: not dialog_up() or has(entry(), Atspi.StateType.SELECTED), 10)
            if dialog_up():
                keys("Return")
    closed("a load from the list")
    # 3. A save under a name that exists: the question, "no" back to the dialog, then a new name.
    click_at(button("游戏存盘"))
    if opened("the save dialog"):
        typed("nearly.txt")
        keys("Return")
        if check(wait_for(lambda: (lambda w: w and "已经存在" in " ".join(n.get_name() for n in walk(w)))(dialog_up())),
                 "the question before replacing: %s" % state()):
            keys("Return")  # its default: no
            wait_for(lambda: dialog_up() and "已经存在" not in " ".join(n.get_name() for n in walk(dialog_up())))
            keys("ctrl+a")
            typed("other.txt")
            keys("Return")
    closed("a save past the question before replacing")
    check(wait_for(lambda: os.path.exists(os.path.join(folder, "other.txt"))), "the game was saved as other.txt")
    # 4. The collection, left by Escape.
    click_at(button("精选题目"))
    if opened("the collection", "[e2e]"):
        keys("Escape")
    closed("the collection left")
    # 5. The collection's puzzle played: 确定.
    click_at(button("精选题目"))
    if opened("the collection", "[e2e]"):
        keys("Tab", "Return")
    closed("a puzzle of the collection taken")
    # 6. The new-record dialog: the last digit, a name and Enter.
    if check(wait_for(lambda: (lambda f: f is not None and f.get_name() == "第5行第5列")(focused())),
             "the collection's open cell has the focus: %s" % state()):
        typed("9")
        if opened("the new-record dialog"):
            typed("Bob")
            keys("Return")
        closed("the new-record dialog")
    # 7. The record table, by the menu.
    menu("Return", "Down", "Down", "Down", "Down", "Return")
    if opened("the record table", "排行榜"):
        keys("Escape")
    closed("the record table")
    # 8. Help.
    menu("Right", "Return", "Return")
    if opened("help", "帮助"):
        keys("Escape")
    closed("help")
    # 9. About.
    menu("Right", "Return", "Down", "Return")
    if opened("about"):
        keys("Escape")
    closed("about")
    # 10. The editor.
    click_at(button("自定义游戏"))
    if opened("the editor", "自定义游戏"):
        keys("Escape")
    closed("the editor")


if __name__ == "__main__":
    main()
    if failures:
        sys.exit("%d failures" % len(failures))
    print("all checks passed")
