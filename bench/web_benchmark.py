#!/usr/bin/env python3
"""Loads the page in headless chromium RUNS times, in turn with a floor page
(the same markup and style, static, with no script), and prints the median
time from navigation until both boxes read "0x0" and until the first paint;
then times real clicks on the cells until both boxes hold the new addresses,
and prints the median and the 99th percentile.
  web_benchmark.py PAGE.html [RUNS] [CLICKS]"""
import os
import random
import statistics
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "web" / "tests"))
from devtools import Browser  # noqa: E402

# The page as it stands once loaded, made static: values and choices as
# attributes, no policy (its hashes would refuse the inline styles) and no script.
FLOOR = """(() => {
  const copy = document.documentElement.cloneNode(true);
  copy.querySelectorAll('script, meta[http-equiv]').forEach(e => e.remove());
  document.querySelectorAll('input').forEach(input => {
    const twin = copy.querySelector('#' + CSS.escape(input.id));
    if (input.type === 'text') twin.setAttribute('value', input.value);
    else if (input.checked) twin.setAttribute('checked', '');
  });
  return '<!DOCTYPE html>\\n' + copy.outerHTML;
})()"""

# Both boxes read "0x0" once the document is parsed, with or without the
# script, which runs before the parser finishes.
TIMES = """new Promise(done => new PerformanceObserver((list, observer) => {
  observer.disconnect();
  const navigation = performance.getEntriesByType('navigation')[0];
  const boxes = ['TextHexMin', 'TextHexMax'].map(id => document.getElementById(id).value);
  done([navigation.domInteractive, list.getEntries()[0].startTime, boxes.join() === '0x0,0x0']);
}).observe({ type: 'paint', buffered: true }))"""

# From the click's own time stamp (taken as chromium received it) to the
# end of the page's handler, which has written both boxes by then, and that
# handler's own share: a listener on the window runs first when capturing
# and last when bubbling.
LATENCY = """window.latencies = [];
window.handling = [];
let began = 0;
addEventListener('click', () => { began = performance.now(); }, true);
addEventListener('click', event => {
  if (!event.target.closest('.cell')) return;
  latencies.push(performance.now() - event.timeStamp);
  handling.push(performance.now() - began);
});"""


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main(page_path, runs="21", clicks="1000"):
    page_url = Path(page_path).resolve().as_uri()
    browser = Browser()
    try:
        page = browser.new_page()
        page.call("Page.bringToFront")  # a page in the background paints nothing
        page.goto(page_url)
        with tempfile.TemporaryDirectory() as work:
            floor = Path(work) / "floor.html"
            floor.write_text(page.eval(FLOOR))
            times = {"page": [], "floor": []}
            for _ in range(int(runs)):
                for name, url in (("page", page_url), ("floor", floor.as_uri())):
                    page.goto("about:blank")
                    page.goto(url)
                    ready, painted, filled = page.eval(TIMES)
                    if not filled:
                        sys.exit(f"{name}: the boxes do not read 0x0")
                    times[name].append((ready, painted))
        print(f"page: {Path(page_path).stat().st_size} bytes; load average {os.getloadavg()[0]:.1f} "
              f"on {os.cpu_count()} cores")
        for column, what in ((0, "boxes read 0x0"), (1, "first paint")):
            page_ms = statistics.median(t[column] for t in times["page"])
            floor_ms = statistics.median(t[column] for t in times["floor"])
            print(f"{what}: page {page_ms:.1f} ms, floor {floor_ms:.1f} ms, "
                  f"ratio {page_ms / floor_ms:.2f} (median of {runs})")

        page.goto(page_url)
        page.eval(LATENCY)
        rng = random.Random(1)
        centres = page.eval("""[...Array(24).keys()].map(i => document.getElementById(`CommandAddressBits(${i})`))
            .map(e => e.getBoundingClientRect()).map(r => [r.x + r.width / 2, r.y + r.height / 2])""")
        for _ in range(int(clicks)):
            page.click(*centres[rng.randrange(24)])
        for name, what in (("latencies", "click to both boxes updated"), ("handling", "of which the page's handler")):
            values = page.eval(name)
            print(f"{what}: median {statistics.median(values):.2f} ms, p99 {percentile(values, 0.99):.2f} ms "
                  f"({len(values)} clicks)")
    finally:
        browser.close()


if __name__ == "__main__":
    main(*sys.argv[1:])
