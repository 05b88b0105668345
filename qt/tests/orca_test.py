#!/usr/bin/python3
"""Listens to the real program through the real Orca screen reader, as a
blind user would: keys are pressed and held like a person's, and what Orca
says is read from its debug log. Checks Tab onto each box, every cell state
in flat review, a press through Orca, the window title, and that the program
still answers after word and caret moves at both ends of a box; and that
another Orca of the user, running before, still runs after.
    orca_test.py PROGRAM LOG OTHER   (on an X display with a window manager,
                                      inside dbus-run-session, Orca logging to
                                      LOG, another Orca running as OTHER)"""
import re
import subprocess
import sys
import time

from a11ycheck import check, run
import expected  # after a11ycheck, which puts the shared tests on the path

class Orca:
    # Orca 43 writes 'text'{...}, Orca 48 'text' {...}.
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)' ?[\[{]")

    def __init__(self, log):
        self.log = log

    def utterances(self):
        try:
            with open(self.log, errors="replace") as f:
                return self.SPOKEN.findall(f.read())
        except FileNotFoundError:
            return []

    def listen(self, before, heard_enough, limit=8.0):
        """What Orca says after `before` utterances: until heard_enough
        holds of it (or the limit passes), and then falls quiet."""
        deadline = time.time() + limit
        while time.time() < deadline and not heard_enough(self.utterances()[before:]):
            time.sleep(0.05)
        last, quiet = -1, 0
        while time.time() < deadline and quiet < 8:
            now = len(self.utterances())
            quiet, last = (quiet + 1 if now == last else 0), now
            time.sleep(0.05)
        return self.utterances()[before:]

    def press(self, *keys, until=lambda heard: heard, limit=8.0):
        """Holds each key about 0.1 s, modifiers first, as a person does;
        returns what Orca said about it, its echo of the keys left out."""
        time.sleep(0.3)
        before = len(self.utterances())
        for key in keys:
            subprocess.run(["xdotool", "keydown", key], check=True)
            time.sleep(0.05)
        time.sleep(0.1)
        for key in reversed(keys):
            subprocess.run(["xdotool", "keyup", key], check=True)
            time.sleep(0.05)
        echo = {k.lower() for k in keys} | {"tab", "slash"}
        spoken = lambda heard: [u for u in heard if u.lower().strip() not in echo]
        return spoken(self.listen(before, lambda heard: until(spoken(heard)), limit))


def anywhere(text):
    return lambda heard: any(text in u for u in heard)


def read_whole_once(heard, value):
    """The box's address read whole and not twice: Orca 43 says it, then
    "<value> selected"; Orca 48 says only the latter."""
    said = [u.strip(". ") for u in heard]
    return said.count(value) <= 1 and said.count(f"{value} selected") == 1


def listen_to(program, orca, before):
    heard = orca.listen(before, anywhere("PIC 18F"), limit=15)
    check(any("Address range finder frame" in u for u in heard), "the window is announced as a frame", heard)
    check(not any("Standard micro" in u for u in heard), "focus opens on the selected mode button", heard)
    time.sleep(1)

    # One Tab from "PIC 18F" reaches the lowest address.
    boxes = [(name, "0x0") for name in expected.BOX_NAMES]
    for name, value in boxes:
        heard = orca.press("Tab", until=anywhere(f"{value} selected"))
        check(any(name in u and "read only" in u for u in heard), f"Tab onto {name}: name and read-only", heard)
        check(read_whole_once(heard, value), f"Tab onto {name}: {value} whole, once, selected", heard)

    # Flat review from the focused box: its line, then the line above,
    # the cells, whose first zone is the top cell. Orca's left click
    # presses the zone under review.
    top = expected.captions(expected.START_MODE)[::-1]
    cells = anywhere("Bit BA0")
    for state in ("0", "1", "X"):
        if state != "0":
            orca.press("KP_Divide", until=lambda heard: True)
            # Away and back: Orca reviews afresh, and reads the box anew.
            orca.press("Tab", until=anywhere("Standard micro"))
            # Until the selection is heard too: Orca leaves flat review when
            # that news comes, and on a busy machine it can come late.
            heard = orca.press("shift", "Tab", until=anywhere("0x800000 selected"))
            check(read_whole_once(heard, "0x800000"),
                  f"the highest address after the press, whole and once: 0x800000", heard)
        orca.press("KP_Up", until=anywhere("HEX address"))
        heard = orca.press("KP_Home", until=cells)
        line = " ".join(f"Bit {c}: {state if c == '22' else '0'}" for c in top)
        check(any(line in u for u in heard), f"flat review reads every cell with its state, the top one {state}",
              heard)
        heard = orca.press("Insert", "KP_Begin", until=anywhere("Bit 22"))
        check(any(f"Bit 22: {state}" in u for u in heard), f"the top cell reviewed as the current object: {state}",
              heard)

    heard = orca.press("Insert", "KP_Enter", until=anywhere("Address range finder"))
    check(any(u.strip(". ") == "Address range finder" for u in heard), "the title command reads the title", heard)

    # The top cell is X now: 0x0 to 0x800000. Word and caret moves at
    # both ends of the focused box once hung the program for good.
    for keys in (("Home",), ("ctrl", "Right"), ("End",), ("ctrl", "Left"), ("ctrl", "Right"), ("KP_Begin",)):
        orca.press(*keys, until=lambda heard: True)
    # A hung program never answers; a busy machine may take its time.
    heard = orca.press("Tab", until=anywhere("Standard micro"), limit=20)
    check(program.poll() is None, "the program is still running")
    check(any("Standard micro" in u for u in heard), "the program still answers: Tab is heard", heard)


def running(pid):
    """Whether the process is alive (not a zombie) and named orca."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            stat = f.read()
    except FileNotFoundError:
        return False
    return stat[stat.index("(") + 1:stat.rindex(")")] == "orca" and stat[stat.rindex(")") + 2] != "Z"


def main():
    program_path, log, other = sys.argv[1], sys.argv[2], sys.argv[3]
    check(running(other), "another Orca of the user runs as the test starts")
    orca = Orca(log)
    deadline = time.time() + 20
    while time.time() < deadline and "Screen reader on." not in orca.utterances():
        time.sleep(0.1)
    check("Screen reader on." in orca.utterances(), "Orca starts and speaks", orca.utterances()[:3])

    def body(program):
        listen_to(program, orca, len(orca.utterances()))
        check(running(other), "the other Orca still runs at the end")
    run(program_path, body)


main()
