#!/usr/bin/python3
"""Reads the real program's window as a screen reader on Linux does, over
AT-SPI: every caption as shown, the boxes by name, read-only and answering
word and sentence queries at either end; then presses every cell through
its action and reads its name and the boxes back. Last, every method of
every interface of every object, called with bad arguments, must answer
nothing and change nothing.
    atspi_test.py PROGRAM     (on an X display, inside dbus-run-session)"""
import sys
import time

import pyatspi
from a11ycheck import check, run
import expected  # after a11ycheck, which puts the shared tests on the path
from atspi_sweep import sweep

def find_app(name, program, deadline):
    while time.time() < deadline and program.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def read_and_press(program):
    app = find_app("addressrangefinder", program, time.time() + 20)
    check(app is not None, "the program appears on the accessibility bus" +
          ("" if program.poll() is None else f" (it ended with status {program.returncode})"))
    if app is None:
        return
    deadline = time.time() + 10
    nodes = []
    while time.time() < deadline:
        nodes = list(walk(app))
        if any(n.name == expected.BOX_NAMES[-1] for n in nodes):
            break
        time.sleep(0.1)
    for node in nodes:  # the tree as a screen reader sees it
        print(f"  {node.getRoleName()!r} {node.name!r} {node.description!r}")

    buttons = [n for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name.startswith("Bit ")]
    labels = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_LABEL]
    boxes = {n.name: n for n in nodes if n.name in expected.BOX_NAMES}
    pic = expected.captions(expected.START_MODE)
    check(all(caption in labels for caption in pic), "every caption is exposed as the text it shows")
    check(len(buttons) == expected.BITS, "every cell is a button")  # what Orca hears of them, orca_test checks
    check(len(boxes) == len(expected.BOX_NAMES), "both boxes are named")
    for name, box in boxes.items():
        states = box.getState()
        check(states.contains(pyatspi.STATE_READ_ONLY), name + " is read-only")
        check(not states.contains(pyatspi.STATE_EDITABLE), name + " is not editable")
        check(text_of(box) == "0x0", name + " reads 0x0")
        # Word and sentence at the end of the text once hung Qt.
        text = box.queryText()
        for boundary in (pyatspi.TEXT_BOUNDARY_WORD_START, pyatspi.TEXT_BOUNDARY_SENTENCE_START):
            for offset in (0, text.characterCount):
                check(text.getTextAtOffset(offset, boundary)[0] == "0x0",
                      f"{name} answers the {boundary} piece at {offset}")

    by_name = {b.name.split(":")[0]: b for b in buttons}
    # Every cell once, each press setting one more bit (the cell under
    # "BA0" weighs 1, the one under "N" 2^(N+1)); then one cell on to X.
    steps, ones = [], 0
    for weight, caption in enumerate(pic):
        ones |= 1 << weight
        steps.append(("Bit " + caption, "1", f"0x{ones:X}", f"0x{ones:X}"))
    steps.append(("Bit 4", "X", "0xFFFFDF", "0xFFFFFF"))
    for name, state, low, high in steps:
        cell = by_name.get(name)
        action = cell.queryAction() if cell else None
        check(action is not None and action.nActions == 1, name + " offers one action")
        if not action:
            continue
        action.doAction(0)
        # The program handles the press on its own event loop: wait for it.
        deadline = time.time() + 10
        while time.time() < deadline and not (cell.name == f"{name}: {state}" and
                                              text_of(boxes[expected.BOX_NAMES[1]]) == high):
            time.sleep(0.05)
        check(cell.name == f"{name}: {state}", f"{name} says {state} after its action (got {cell.name!r})")
        check(text_of(boxes[expected.BOX_NAMES[0]]) == low, f"lowest address {low} after pressing {name}")
        check(text_of(boxes[expected.BOX_NAMES[1]]) == high, f"highest address {high} after pressing {name}")
    sweep(program, nodes)


run(sys.argv[1], read_and_press)
