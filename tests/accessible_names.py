#!/usr/bin/python3
"""Reads the running program as a screen reader does, through the AT-SPI bus.

Run inside a D-Bus session (dbus-run-session) on an X display: starts the
accessibility bus and the program in PROGRAM_DIR, opens the first card, walks
the accessible tree of the main window and of each dialog in DIALOGS, and
fails when a control a user acts on has no name. Prints every name it read.
Usage: accessible_names.py PROGRAM_DIR
"""
import os
import struct
import subprocess
import sys
import time
import zipfile

import dbus

TITLE = "Pelvarin Kartotéka"
# The dialogs to read: window title and the keys (xdotool names) that open it
# from the main window with a card open, and for a dialog that asks for a file
# first, the file dialog's title and the file to give it. Escape closes each.
DIALOGS = [
    ("Nový soubor", ["F7"]),
    ("Odstranit ?", ["F8"]),
    ("Nastavení", ["alt+a"]),
    ("O Kartotéce", ["alt+p", "o"]),
    ("Najít soubor", ["alt+o", "v"]),
    ("Tisk", ["F5"]),
    ("Historie karty", ["alt+r", "h"]),
    ("Dvě verze karty", ["alt+r", "k"]),
    ("Přejít na kartu číslo:", ["F12"]),
    ("Přehled karet", ["F6"]),
    ("Import z CSV", ["alt+s", "i"], ("Importovat z CSV", "spreadsheet.csv")),
]
# Roles of the controls a user acts on (AT-SPI role names).
ACTIONABLE = {
    "push button", "toggle button", "check box", "radio button", "combo box",
    "text", "entry", "password text", "spin button", "slider", "list",
    "list box", "table", "tree", "tree table", "page tab", "image", "graphic", "dial",
}
STATE_SHOWING = 25
ACCESSIBLE = "org.a11y.atspi.Accessible"
WAIT_SECONDS = 20


def fail(text):
    print("FAIL: " + text, file=sys.stderr)
    sys.exit(1)


def wait_for(what, condition):
    """Polls condition until it returns something true; fails after a while."""
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        try:
            found = condition()
        except dbus.DBusException:
            found = None
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def bmp_24bit(width, height, rgb):
    row = bytes(rgb[::-1]) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def write_card(path, name, table, notes, picture=None):
    with zipfile.ZipFile(path, "w") as card:
        card.writestr(name + ".tbl", table.encode("cp1250"))
        card.writestr(name + ".txt", notes.encode("cp1250"))
        if picture:
            card.writestr(name + "1.bmp", picture)


def make_cards(program_dir):
    files = os.path.join(program_dir, "FILES")
    os.makedirs(files, exist_ok=True)
    write_card(os.path.join(files, "Karta.krt"), "Karta", "Jméno=Karel\r\nMěsto=Brno\r\n",
               "Poznámka ke kartě\r\n", bmp_24bit(40, 30, (200, 40, 40)))
    # A sync tool's conflict copy, so that the conflict dialog has work.
    write_card(os.path.join(files, "Karta.sync-conflict-20261208-120000-ABCDEFG.krt"), "Karta",
               "Jméno=Karla\r\nMěsto=Brno\r\n", "Poznámka z druhého počítače\r\n")


class Node:
    def __init__(self, bus, name, path):
        self.bus, self.name, self.path = bus, name, path
        self.obj = bus.get_object(name, path, introspect=False)

    def call(self, method, interface=ACCESSIBLE):
        return self.obj.get_dbus_method(method, interface)()

    def prop(self, name):
        return str(self.obj.Get(ACCESSIBLE, name, dbus_interface="org.freedesktop.DBus.Properties"))

    def children(self):
        return [Node(self.bus, str(n), str(p)) for n, p in self.call("GetChildren")]

    def role(self):
        return str(self.call("GetRoleName"))

    def showing(self):
        low, high = self.call("GetState")
        bits = int(low) | (int(high) << 32)
        return bool(bits & (1 << STATE_SHOWING))


def accessibility_bus():
    session = dbus.SessionBus()
    launcher = session.get_object("org.a11y.Bus", "/org/a11y/bus")
    address = wait_for("the accessibility bus",
                       lambda: str(launcher.GetAddress(dbus_interface="org.a11y.Bus")))
    return dbus.bus.BusConnection(address)


def program_windows(bus):
    root = Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    for app in root.children():
        if app.prop("Name") == "kartoteka":
            return app.children()
    return []


def showing_window(bus, title_start):
    for window in program_windows(bus):
        if window.prop("Name").startswith(title_start) and window.showing():
            return window
    return None


def walk(node, found, depth=0):
    """Collects (role, name, description) of the showing actionable controls."""
    if depth > 40 or not node.showing():
        return
    role = node.role()
    if role in ACTIONABLE:
        found.append((role, node.prop("Name"), node.prop("Description")))
    # A table's or list's cells and items are its content, named by their text.
    if role in ("table", "tree table", "list", "list box", "tree", "combo box"):
        return
    for child in node.children():
        walk(child, found, depth + 1)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True).stdout.split()


def window_id(title):
    """The X window id of the program's visible window named exactly title."""
    pattern = "^" + "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in title) + "$"
    return wait_for("the window " + title,
                    lambda: xdotool("search", "--onlyvisible", "--name", pattern))[0]


def press(title, keys):
    """Sends keys to the program's visible window named exactly title."""
    window = window_id(title)
    for key in keys:
        subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True)
        subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)


def choose_file(program_dir, dialog_title, file_name):
    """Writes a small CSV file and gives its path to the file dialog."""
    path = os.path.join(program_dir, file_name)
    with open(path, "w", encoding="utf-8") as csv:
        csv.write("Jméno;Obec\nNová karta;Brno\n")
    window = window_id(dialog_title)
    subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True)
    subprocess.run(["xdotool", "type", "--delay", "20", path], check=True)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "Return"], check=True)


def close_windows_above(main_window_id):
    """Presses Escape on each visible window but the main one (the dialog and
    any message it shows, such as one about a missing printer)."""
    def closed():
        others = [w for w in xdotool("search", "--onlyvisible", "--name", ".")
                  if w != main_window_id]
        for window in others:
            subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True)
            subprocess.run(["xdotool", "key", "--clearmodifiers", "Escape"], check=True)
        return not others
    wait_for("the dialogs to close", closed)


def report(window_title, controls):
    unnamed = [c for c in controls if not c[1].strip()]
    print("== " + window_title)
    for role, name, description in controls:
        line = "  %-14s %s" % (role, name or "<BEZ JMÉNA>")
        print(line + (" — " + description if description else ""))
    return unnamed


def main():
    program_dir = sys.argv[1]
    make_cards(program_dir)
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([os.path.join(program_dir, "kartoteka")], env=environment)
    try:
        bus = accessibility_bus()
        main_window = wait_for("the main window", lambda: showing_window(bus, TITLE))
        press(TITLE, ["Home"])
        main_window = wait_for("the first card", lambda: showing_window(bus, TITLE + " - (1)"))
        card_title = main_window.prop("Name")
        main_window_id = window_id(card_title)
        unnamed = []
        controls = []
        walk(main_window, controls)
        unnamed += report(card_title, controls)
        pictures = [c for c in controls if c[0] in ("image", "graphic") and c[1] == "Obrázek karty"]
        if not pictures or not pictures[0][2]:
            fail("the card's picture is not exposed with a name and a description")
        for title, keys, *file_dialog in DIALOGS:
            press(card_title, keys)
            if file_dialog:
                choose_file(program_dir, *file_dialog[0])
            dialog = wait_for("the dialog " + title, lambda: showing_window(bus, title))
            controls = []
            walk(dialog, controls)
            unnamed += report(title, controls)
            close_windows_above(main_window_id)
            wait_for("the dialog " + title + " to close", lambda: not showing_window(bus, title))
        if unnamed:
            fail("%d controls without a name: %s" % (len(unnamed), unnamed))
        print("PASS")
    finally:
        program.kill()
        program.wait()
        launcher.terminate()
        launcher.wait()


if __name__ == "__main__":
    main()
