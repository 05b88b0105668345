#!/usr/bin/env python3
"""The page as a user meets it, in headless chromium: the start state, a
soak of real clicks, double clicks, taps and mode switches against a
bit-mask model, the layout against the table at three zooms, Tab order,
the accessibility tree, and that nothing is requested or stored.
  page_test.py PAGE.html MODULE.wasm AXE.js"""
import base64
import functools
import http.server
import json
import random
import sys
import threading
from pathlib import Path

from devtools import Browser

counts = {"passed": 0, "failed": 0}
BLUE, RED, BLACK = "rgb(0, 0, 255)", "rgb(255, 0, 0)", "rgb(0, 0, 0)"
STATES = [("0", BLUE), ("1", RED), ("X", BLACK)]
TAB_STOPS = ["OptionMode(0)", "OptionMode(1)", "TextHexMin", "TextHexMax"]


def check(ok, what, got=None):
    counts["passed" if ok else "failed"] += 1
    if not ok:
        print("FAIL:", what, "" if got is None else f"(got {got!r})")
    return ok


# Everything the window shows, read in one go.
STATE = """(() => {
  const $ = id => document.getElementById(id);
  const bits = [...Array(24).keys()];
  return {
    cells: bits.map(i => $(`CommandAddressBits(${i})`).textContent),
    colors: bits.map(i => getComputedStyle($(`CommandAddressBits(${i})`)).color),
    names: bits.map(i => $(`CommandAddressBits(${i})`).getAttribute('aria-label')),
    captions: bits.map(i => $(`Label1(${i})`).textContent),
    modes: [0, 1].map(i => $(`OptionMode(${i})`).checked),
    boxes: [$('TextHexMin').value, $('TextHexMax').value],
  };
})()"""


class Model:
    """The window as bit masks: which bits are 1 and which are X."""

    def __init__(self):
        self.states = [0] * 24
        self.mode = 1

    def click(self, bit):
        self.states[bit] = (self.states[bit] + 1) % 3

    def expected(self):
        ones = sum(1 << i for i, s in enumerate(self.states) if s == 1)
        free = sum(1 << i for i, s in enumerate(self.states) if s == 2)
        captions = [str(i) for i in range(24)] if self.mode == 0 else ["BA0"] + [str(i - 1) for i in range(1, 24)]
        return {
            "cells": [STATES[s][0] for s in self.states],
            "colors": [STATES[s][1] for s in self.states],
            "names": [f"Bit {c}: {STATES[s][0]}" for c, s in zip(captions, self.states)],
            "captions": captions,
            "modes": [self.mode == 0, self.mode == 1],
            "boxes": [f"0x{ones:X}", f"0x{ones | free:X}"],
        }


def same_window(page, model, what):
    got, want = page.eval(STATE), model.expected()
    wrong = [key for key in want if got[key] != want[key]]
    return check(not wrong, f"{what}: {', '.join(wrong)}", {key: got[key] for key in wrong})


def centre(page, element_id):
    box = page.eval(f"(r => [r.x + r.width / 2, r.y + r.height / 2])"
                    f"(document.getElementById('{element_id}').getBoundingClientRect())")
    return box


def start_state(page, url):
    # Query and fragment mean nothing to the page.
    page.goto(url + "?mode=0&bits=FFFFFF#CommandAddressBits(3)")
    same_window(page, Model(), "start state")
    check(page.eval("document.title") == "Address range finder", "title")
    check(page.eval("!document.getElementById('needs') && !document.getElementById('window').hidden"),
          "the window shows instead of the sentence")
    # Without script or without WebAssembly: the sentence, and no window.
    sentence = "[document.getElementById('needs')?.checkVisibility(), !!document.getElementById('window')]"
    page.call("Emulation.setScriptExecutionDisabled", value=True)
    page.goto(url)
    check(page.eval(sentence) == [True, True], "without script, the sentence", page.eval(sentence))
    page.call("Emulation.setScriptExecutionDisabled", value=False)
    hook = page.call("Page.addScriptToEvaluateOnNewDocument", source="delete globalThis.WebAssembly")
    page.goto(url)
    check(page.eval(sentence) == [True, False], "without WebAssembly, the sentence", page.eval(sentence))
    page.call("Page.removeScriptToEvaluateOnNewDocument", identifier=hook["identifier"])


def soak(page, url, events=400, seed=20):
    page.goto(url)
    model, rng = Model(), random.Random(seed)
    cells = [centre(page, f"CommandAddressBits({bit})") for bit in range(24)]
    modes = [centre(page, f"OptionMode({index})") for index in range(2)]
    for n in range(events):
        kind = rng.choices(["click", "double", "triple", "mode"], [6, 2, 1, 1])[0]
        bit = rng.randrange(24)
        if kind == "mode":
            model.mode = rng.randrange(2)
            page.click(*modes[model.mode])
        else:
            presses = {"click": 1, "double": 2, "triple": 3}[kind]
            page.click(*cells[bit], presses)
            for _ in range((presses + 1) // 2):  # every odd press is a click, as on the desktop
                model.click(bit)
        if not same_window(page, model, f"event {n}: {kind} on {bit}"):
            break
    # A tap is one click at once, and the cells take no focus from it.
    page.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
    page.goto(url)
    model = Model()
    for bit in (5, 17, 5):
        page.tap(*cells[bit])
        model.click(bit)
        same_window(page, model, f"tap on {bit}")
    check(page.eval("document.activeElement === document.body"), "no cell took focus")
    page.call("Emulation.setTouchEmulationEnabled", enabled=False)


def tab_order(page, url):
    page.goto(url)
    active = "document.activeElement.id || document.activeElement.tagName"
    forward = []
    for _ in TAB_STOPS:
        page.key("Tab", "Tab", 9)
        forward.append(page.eval(active))
    check(forward == TAB_STOPS, "Tab order", forward)
    page.click(*centre(page, "CommandAddressBits(0)"))
    check(page.eval(active) == "TextHexMax", "a click on a cell leaves the focus where it was")
    backward = []
    for _ in TAB_STOPS[:-1]:
        page.key("Tab", "Tab", 9, shift=True)
        backward.append(page.eval(active))
    check(backward == TAB_STOPS[-2::-1], "Shift+Tab order", backward)
    caption = "document.getElementById('Label1(23)').textContent"
    page.key(" ", "Space", 32)
    check(page.eval(caption) == "23", "Space selects a mode")
    page.key("ArrowRight", "ArrowRight", 39)
    check([page.eval(active), page.eval(caption)] == ["OptionMode(1)", "22"], "an arrow key selects the other mode")
    page.key("ArrowUp", "ArrowUp", 38)
    check([page.eval(active), page.eval(caption)] == ["OptionMode(0)", "23"], "and back")
    for _ in TAB_STOPS:
        page.key("Tab", "Tab", 9)
    check(page.eval(active) not in TAB_STOPS, "Tab leaves the page after the last stop")


# The table's rows as the module hands them out, caught by a recorder
# instead of the page's script: where each widget must stand in the window.
TABLE = """(async bytes => {
  const rows = [], origins = [[0, 0]];
  let memory;
  const text = (at, size) => new TextDecoder().decode(new Uint8Array(memory.buffer, at, size));
  const page = new Proxy({}, { get: (_, call) => call !== 'widget' ? () => 0 :
    (kind, parent, slot, name, nameSize, left, top, width, height) => {
      const [x, y] = origins[parent];
      const base = text(name, nameSize);
      if (kind === 0) origins[slot] = [x + left, y + top];
      rows.push({ id: [1, 2, 3].includes(kind) && slot >= 0 ? `${base}(${slot})` : base,
                  left: x + left, top: y + top, width, height });
    } });
  const instance = await WebAssembly.instantiate(Uint8Array.from(atob(bytes), c => c.charCodeAt(0)), { page });
  memory = instance.instance.exports.memory;
  instance.instance.exports.start();
  return rows;
})"""

# Where each element stands in the window, whether its text fits, and how
# wide a cell's border is in device pixels.
PLACES = """(() => {
  const origin = document.getElementById('window').getBoundingClientRect();
  const places = {};
  for (const element of document.querySelectorAll('#window [id]')) {
    const box = element.closest('.option') || element;
    const r = box.getBoundingClientRect();
    places[element.id] = { left: r.left - origin.left, top: r.top - origin.top, width: r.width, height: r.height,
                           fits: box.scrollWidth <= box.clientWidth && box.scrollHeight <= box.clientHeight };
  }
  const cell = document.getElementById('CommandAddressBits(0)');
  return { places, line: parseFloat(getComputedStyle(cell).borderTopWidth) * devicePixelRatio,
           scroll: document.documentElement.scrollWidth - document.documentElement.clientWidth };
})()"""


def layout(page, url, module):
    page.goto(url)
    rows = page.eval(f"{TABLE}('{base64.b64encode(module).decode()}')")
    check(len(rows) == 57, "the module hands out the whole table", len(rows))
    for zoom in (1, 1.5, 2):
        browser = Browser(scale=zoom)
        try:
            zoomed = browser.new_page()
            zoomed.goto(url)
            found = zoomed.eval(PLACES)
        finally:
            browser.close()
        misplaced = [row["id"] for row in rows if row["id"] not in found["places"] or any(
            abs(found["places"][row["id"]][key] - row[key]) > 1 for key in ("left", "top", "width", "height"))]
        check(not misplaced, f"at {zoom:g}x every widget stands where the table puts it", misplaced)
        clipped = [name for name, place in found["places"].items() if not place["fits"]]
        check(not clipped, f"at {zoom:g}x every text fits its widget", clipped)
        # Chromium reports a hairline in its own layout units, a little over one.
        check(0.99 < found["line"] < 1.25, f"at {zoom:g}x a cell border is one device pixel", found["line"])
    # A phone: the window shrinks to the width, with no sideways scrolling.
    page.call("Emulation.setDeviceMetricsOverride", width=360, height=640, deviceScaleFactor=3, mobile=True)
    page.goto(url)
    found = page.eval(PLACES)
    check(found["scroll"] <= 0, "no horizontal scroll bar on a narrow screen", found["scroll"])
    page.call("Emulation.clearDeviceMetricsOverride")


def accessible(page, url):
    page.goto(url)
    page.call("Accessibility.enable")
    nodes = page.call("Accessibility.getFullAXTree")["nodes"]
    found = {}
    for node in nodes:
        properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
        found[(node.get("role", {}).get("value"), node.get("name", {}).get("value"))] = properties
    captions = ["BA0"] + [str(i) for i in range(23)]
    wanted = [("button", f"Bit {caption}: 0", {}) for caption in captions] + [
        ("textbox", "Lowest address", {"readonly": True}), ("textbox", "Highest address", {"readonly": True}),
        ("radio", "Standard micro", {"checked": "false"}), ("radio", "PIC 18F", {"checked": "true"}),
        ("group", "Mode", {}), ("group", "Address bits ( 0 - 1 - X )", {}), ("group", "Configurations", {}),
    ]
    for role, name, properties in wanted:
        got = found.get((role, name))
        check(got is not None and all(got.get(k) == v for k, v in properties.items()), f"{role} {name!r}", got)
    page.call("Accessibility.disable")
    # A screen reader presses a cell with a click that counts no presses.
    press = "(c => (c.click(), c.getAttribute('aria-label')))(document.getElementById('CommandAddressBits(1)'))"
    check(page.eval(press) == "Bit 0: 1", "a press without the mouse is one step")


def axe(page, url, axe_source):
    for scheme in ("light", "dark"):
        page.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-color-scheme", "value": scheme}])
        page.goto(url)
        # Cells in all three states: "1", "X" and the rest "0".
        page.eval("['CommandAddressBits(1)', 'CommandAddressBits(2)', 'CommandAddressBits(2)']"
                  ".forEach(id => document.getElementById(id).click())")
        page.eval(axe_source + ";0")
        passes, violations = page.eval("""axe.run(document, { runOnly: { type: 'tag',
            values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } })
          .then(r => [r.passes.length, r.violations.map(v => `${v.id}: ${v.nodes.map(n => n.target).join(' ')}`)])""")
        check(passes > 10 and not violations, f"axe-core finds nothing in {scheme}", (passes, violations))
    # High contrast: the browser's colours replace the page's, and every
    # text and cell border still stands out from what is behind it.
    page.call("Emulation.setEmulatedMedia", features=[{"name": "forced-colors", "value": "active"}])
    page.goto(url)
    hidden = page.eval("""[...document.querySelectorAll('#window [id]')].filter(e => {
        const s = getComputedStyle(e), behind = getComputedStyle(document.body).backgroundColor;
        return s.color === behind || (e.classList.contains('cell') && s.borderTopColor === s.backgroundColor);
      }).map(e => e.id)""")
    check(not hidden, "everything stays visible in forced colours", hidden)
    page.call("Emulation.setEmulatedMedia", features=[])


class Host(http.server.SimpleHTTPRequestHandler):
    """A static web host that notes every path asked of it."""
    asked = []

    def do_GET(self):
        Host.asked.append(self.path)
        super().do_GET()

    def log_message(self, *args):
        pass


def keeps_to_itself(page, url):
    requests = [e["params"]["request"]["url"] for e in page.browser.events
                if e["method"] == "Network.requestWillBeSent"]
    check(requests and all(r.split("?")[0].split("#")[0] == url for r in requests),
          "from disk the page asks for nothing but itself", sorted(set(requests)))
    directory = str(Path(url[len("file://"):]).parent)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Host, directory=directory))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    origin = f"http://127.0.0.1:{server.server_address[1]}"
    try:
        page.goto(f"{origin}/{Path(url).name}")
        page.click(*centre(page, "CommandAddressBits(7)"))
        page.click(*centre(page, "OptionMode(0)"))
        same = page.eval("document.getElementById('TextHexMin').value") == "0x80"
        check(same, "from a web host the page works")
        stored = page.eval("""indexedDB.databases().then(d => [document.cookie, localStorage.length,
            sessionStorage.length, d.length])""")
        usage = page.call("Storage.getUsageAndQuota", origin=origin)["usage"]
        check(stored == ["", 0, 0, 0] and usage == 0, "nothing stored", (stored, usage))
        # The page's policy refuses any other script and any fetch, even of data.
        refused = page.eval("""new Promise(done => {
            const script = document.createElement('script');
            script.textContent = 'window.intruded = true';
            document.body.append(script);
            fetch('data:,x').then(() => done(false), () => done(!window.intruded));
          })""")
        check(refused, "the policy lets in no other script and no fetch")
        page.goto("about:blank")  # a late request, such as for an icon, shows up by now
    finally:
        server.shutdown()
    check(Host.asked == [f"/{Path(url).name}"], "the host is asked for the page alone", Host.asked)


def main(page_path, module_path, axe_path):
    url = Path(page_path).resolve().as_uri()
    browser = Browser()
    try:
        page = browser.new_page()
        page.call("Network.enable")
        for test in (start_state, soak, tab_order, accessible):
            test(page, url)
        layout(page, url, Path(module_path).read_bytes())
        axe(page, url, Path(axe_path).read_text())
        keeps_to_itself(page, url)
    finally:
        browser.close()
    print(f"{counts['passed']} passed, {counts['failed']} failed")
    return 0 if counts["failed"] == 0 and counts["passed"] > 0 else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
