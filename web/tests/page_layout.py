"""The page's layout with a mouse against the layout table, at 100, 150 and
200 %, and on a narrow screen."""
import base64

from checks import check
from devtools import Browser

# The table's rows as the module hands them out, caught by a recorder
# instead of the page's script: where each widget must stand in the window.
TABLE = """(async bytes => {
  const rows = [], origins = { '': [0, 0] };
  let memory, row = {};
  const text = (at, size) => new TextDecoder().decode(new Uint8Array(memory.buffer, at, size));
  const calls = {
    property: (key, keySize, value, valueSize) => { row[text(key, keySize)] = text(value, valueSize); },
    number: (key, keySize, value) => { row[text(key, keySize)] = value; },
    element: () => {
      const [x, y] = origins[row.in];
      if (row.kind === 'frame') origins[row.id] = [x + row.left, y + row.top];
      rows.push({ id: row.id, left: x + row.left, top: y + row.top, width: row.width, height: row.height });
      row = {};
    },
  };
  const page = new Proxy({}, { get: (_, call) => calls[call] || (() => 0) });
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


def table(page, url, module):
    """The table's rows, from the module itself."""
    page.goto(url)
    rows = page.eval(f"{TABLE}('{base64.b64encode(module).decode()}')")
    check(len(rows) == 57, "the module hands out the whole table", len(rows))
    return rows


def as_table(page, url, rows, where):
    """With a mouse the page stands as the table has it."""
    page.goto(url)
    found = page.eval(PLACES)
    misplaced = [row["id"] for row in rows if row["id"] not in found["places"] or any(
        abs(found["places"][row["id"]][key] - row[key]) > 1 for key in ("left", "top", "width", "height"))]
    check(not misplaced, f"{where}: every widget stands where the table puts it", misplaced)
    clipped = [name for name, place in found["places"].items() if not place["fits"]]
    check(not clipped, f"{where}: every text fits its widget", clipped)
    return found


def zooms(url, rows):
    """At 100, 150 and 200 %, each cell border one device pixel."""
    for zoom in (1, 1.5, 2):
        browser = Browser(scale=zoom)
        try:
            found = as_table(browser.new_page(), url, rows, f"at {zoom:g}x")
        finally:
            browser.close()
        # Chromium reports a hairline in its own layout units, a little over one.
        check(0.99 < found["line"] < 1.25, f"at {zoom:g}x a cell border is one device pixel", found["line"])


def narrow(page, url):
    """A narrow window, with a mouse: it shrinks to fit, no sideways scroll."""
    page.call("Emulation.setDeviceMetricsOverride", width=360, height=640, deviceScaleFactor=3, mobile=False)
    page.goto(url)
    found = page.eval(PLACES)
    check(found["scroll"] <= 0, "no horizontal scroll bar on a narrow screen", found["scroll"])
    page.call("Emulation.clearDeviceMetricsOverride")
