#!/usr/bin/python3
"""Runs the program on an X display as a user would, and tells what it showed.

Usage: drive_program.py [--timeout SECONDS] PROGRAM

Starts PROGRAM with Qt's accessibility bridge on, reads its windows through
AT-SPI (there must be a D-Bus session bus, e.g. under dbus-run-session) and
answers them until PROGRAM and every instance it started anew have ended:

  a message box titled "RiruziruZo"  prints "N message: TEXT" and presses
                                      Return on it with xdotool;
  the language chooser               prints "N chooser: LANGUAGE" (the one
                                      selected) and presses its OK button.

When an instance ends it prints "N exit: STATUS" (or "N signal: NUMBER").
N numbers the instances in the order they appeared, PROGRAM being 1. Exits
with 0 when everything ended, 1 after a timeout (having killed what was left)
or on an error.
"""

import argparse
import ctypes
import os
import signal
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MESSAGE_TITLE = "RiruziruZo"
CHOOSER_TITLE = "Langue / Language"
PR_SET_CHILD_SUBREAPER = 36
POLL_SECONDS = 0.2
REPRESS_SECONDS = 3


class Instances:
    """Numbers the program's processes in the order they show up."""

    def __init__(self):
        self.numbers = {}

    def number(self, pid):
        if pid not in self.numbers:
            self.numbers[pid] = len(self.numbers) + 1
        return self.numbers[pid]


def say(line):
    print(line, flush=True)


def refresh(desktop):
    """Takes in what the accessibility bus announced since the last look."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)
    desktop.clear_cache()


def children(accessible):
    try:
        accessible.clear_cache()
        count = accessible.get_child_count()
    except GLib.Error:
        return []
    found = []
    for index in range(count):
        try:
            child = accessible.get_child_at_index(index)
        except GLib.Error:
            continue
        if child is not None:
            found.append(child)
    return found


def role_and_name(accessible):
    try:
        return accessible.get_role_name(), accessible.get_name()
    except GLib.Error:
        return None, None


def descends_from_us(pid):
    own = os.getpid()
    while pid > 1:
        if pid == own:
            return True
        try:
            with open("/proc/%d/stat" % pid) as stat:
                # The parent follows the command name, which may hold blanks.
                pid = int(stat.read().rsplit(")", 1)[1].split()[1])
        except (OSError, IndexError, ValueError):
            return False
    return False


def our_processes():
    return [int(entry) for entry in os.listdir("/proc")
            if entry.isdigit() and int(entry) != os.getpid()
            and descends_from_us(int(entry))]


def program_windows(desktop):
    """(pid, window) of every top-level window of our processes."""
    for application in children(desktop):
        try:
            pid = application.get_process_id()
        except GLib.Error:
            continue
        if pid != os.getpid() and descends_from_us(pid):
            for window in children(application):
                yield pid, window


def descendants(accessible, depth=6):
    for child in children(accessible):
        yield child
        if depth > 1:
            yield from descendants(child, depth - 1)


def message_text(box):
    texts = [name for role, name in map(role_and_name, children(box))
             if role == "label" and name]
    return "\n".join(texts)


def x_dialog_of(pid, done):
    """The visible X dialog window of process `pid` not answered yet."""
    listed = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--pid", str(pid),
         "--name", "^%s$" % MESSAGE_TITLE],
        capture_output=True, text=True, check=False).stdout.split()
    for window in listed:
        if window in done:
            continue
        kind = subprocess.run(["xprop", "-id", window, "_NET_WM_WINDOW_TYPE"],
                              capture_output=True, text=True,
                              check=False).stdout
        if "_NET_WM_WINDOW_TYPE_DIALOG" in kind:
            return window
    return None


def press_return(window):
    # Fails harmlessly when the box went away meanwhile.
    subprocess.run(["xdotool", "windowfocus", "--sync", window,
                    "key", "--clearmodifiers", "Return"],
                   capture_output=True, check=False)


def press_ok(chooser):
    for child in descendants(chooser):
        role, name = role_and_name(child)
        if role == "push button" and name == "OK":
            return Atspi.Action.do_action(child, 0)
    return False


def chooser_selection(chooser):
    for child in descendants(chooser):
        role, name = role_and_name(child)
        if role == "combo box":
            return name
    return ""


def reap(instances):
    """Reports ended instances; False when no child process is left."""
    while True:
        try:
            pid, status = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return False
        if pid == 0:
            return True
        number = instances.number(pid)
        if os.WIFEXITED(status):
            say("%d exit: %d" % (number, os.WEXITSTATUS(status)))
        elif os.WIFSIGNALED(status):
            say("%d signal: %d" % (number, os.WTERMSIG(status)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--timeout", type=float, default=180)
    parser.add_argument("program")
    args = parser.parse_args()

    # An instance started anew is detached from its parent; as subreaper
    # this process still gets it as a child, so it is watched and reaped.
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        sys.exit("drive_program: cannot become a subreaper")

    # The bus and its registry must be up before the program looks for them.
    desktop = Atspi.get_desktop(0)
    refresh(desktop)

    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    environment.pop("QT_QPA_PLATFORM", None)
    first = os.posix_spawn(args.program, [args.program], environment)
    instances = Instances()
    instances.number(first)

    # Box (pid, accessible path) -> [X window, time Return was pressed].
    answered_boxes = {}
    answered_choosers = set()
    deadline = time.monotonic() + args.timeout
    while reap(instances):
        if time.monotonic() > deadline:
            say("timeout: still running after %g s" % args.timeout)
            for pid in our_processes():
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            while reap(instances):
                time.sleep(POLL_SECONDS)
            return 1
        refresh(desktop)
        for pid, window in list(program_windows(desktop)):
            role, name = role_and_name(window)
            key = (pid, window.path)
            if role == "alert" and name == MESSAGE_TITLE:
                answered = answered_boxes.get(key)
                if answered is not None:
                    # A key that came before the box could take it is lost.
                    if time.monotonic() - answered[1] > REPRESS_SECONDS:
                        press_return(answered[0])
                        answered[1] = time.monotonic()
                    continue
                x_window = x_dialog_of(
                    pid, {x for x, _ in answered_boxes.values()})
                if x_window is None:
                    continue  # not mapped yet
                say("%d message: %s" % (instances.number(pid),
                                        message_text(window)))
                press_return(x_window)
                answered_boxes[key] = [x_window, time.monotonic()]
            elif name == CHOOSER_TITLE and key not in answered_choosers:
                selection = chooser_selection(window)
                if press_ok(window):
                    say("%d chooser: %s" % (instances.number(pid), selection))
                    answered_choosers.add(key)
        time.sleep(POLL_SECONDS)
    return 0


if __name__ == "__main__":
    sys.exit(main())
