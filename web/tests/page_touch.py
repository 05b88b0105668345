"""The page on a phone's or a tablet's touch screen, measured as drawn:
targets a finger can hit, texts to read without zooming, no sideways
scroll, bit 23 first in rows of two groups of four, and a turn of the
device that loses nothing; and texts that stand out where more contrast
is asked for."""
import expected
from checks import check
from places import centre

# Every cell and caption by bit, every text's drawn size, and how far the
# page scrolls sideways. The window's zoom scales what it draws.
DRAWN = """(() => {
  const win = document.getElementById('window'), zoom = win.getBoundingClientRect().width / win.offsetWidth;
  const rect = e => (r => ({ left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width,
                              height: r.height }))(e.getBoundingClientRect());
  const bits = [...Array({bits}).keys()].reverse();
  const texts = [...win.querySelectorAll('.caption, .label, .option, .cell, .box')].map(
    e => [e.id || e.textContent, parseFloat(getComputedStyle(e).fontSize) * zoom]);
  const boxes = [...win.querySelectorAll('.box')].map(b => b.scrollWidth <= b.clientWidth);
  return { zoom, bits, texts, boxes, width: innerWidth,
           cells: bits.map(i => rect(document.getElementById(`CommandAddressBits(${i})`))),
           captions: bits.map(i => rect(document.getElementById(`Label1(${i})`))),
           scroll: document.documentElement.scrollWidth - document.documentElement.clientWidth,
           state: [...win.querySelectorAll('.cell, .box')].map(e => e.textContent || e.value) };
})()""".replace("{bits}", str(expected.BITS))

# Phones and tablets, upright and turned: the smallest cell each must give.
SCREENS = [(360, 640, 40), (320, 568, 24), (390, 844, 24), (768, 1024, 24), (1024, 768, 24)]


def rows_of(found):
    """The cells by row, top to bottom, each row's bits left to right."""
    rows = {}
    for bit, cell in zip(found["bits"], found["cells"]):
        rows.setdefault(round(cell["top"]), []).append((cell["left"], bit))
    return [[bit for _, bit in sorted(row)] for _, row in sorted(rows.items())]


def drawn_well(found, smallest, where):
    small = [(b, round(c["width"], 1), round(c["height"], 1)) for b, c in zip(found["bits"], found["cells"])
             if min(c["width"], c["height"]) < smallest - 0.01]
    check(not small, f"{where}: every cell at least {smallest} px", small)
    tiny = [(name, round(size, 1)) for name, size in found["texts"] if size < 12]
    check(not tiny, f"{where}: every text drawn at 12 px or more", tiny)
    check(found["scroll"] <= 0, f"{where}: no sideways scroll", found["scroll"])
    order = [bit for row in rows_of(found) for bit in row]
    check(order == list(range(23, -1, -1)), f"{where}: bit 23 first, left to right and top to bottom", order)
    misplaced = [b for b, c, t in zip(found["bits"], found["cells"], found["captions"])
                 if not (t["bottom"] <= c["top"] + 1 and c["left"] <= (t["left"] + t["right"]) / 2 <= c["right"])]
    check(not misplaced, f"{where}: each caption over its cell", misplaced)


def touch(page, url):
    """`page` can show a touch screen (screen()) and has a finger (tap())."""
    for width, height, smallest in SCREENS:
        page.screen(width, height, 2, True)
        page.goto(url)
        found = page.eval(DRAWN)
        where = f"{page.engine} {width}x{height}"
        drawn_well(found, smallest, where)
        rows = [len(row) for row in rows_of(found)]
        if width < 600:
            check(rows == [8, 8, 8], f"{where}: three rows of two groups of four", rows)
        else:
            check(rows == [expected.BITS] and 1 < found["zoom"] <= 2, f"{where}: the window grows to the width",
                  (rows, found["zoom"]))
        print(f"{where}: smallest cell {min(min(c['width'], c['height']) for c in found['cells']):.1f} px, "
              f"smallest text {min(size for _, size in found['texts']):.1f} px")
    # A phone: one tap on every cell is one step each, both boxes show the
    # whole "0xFFFFFF", and turning the phone keeps every cell as it was.
    page.screen(360, 640, 2, True)
    page.goto(url)
    for bit in range(expected.BITS):
        page.tap(*centre(page, f"CommandAddressBits({bit})"))
    before = page.eval(DRAWN)
    check(before["state"] == ["1"] * expected.BITS + ["0xFFFFFF"] * 2, f"{page.engine}: a tap is one step", before["state"])
    check(all(before["boxes"]), f"{page.engine}: each box shows the whole 0xFFFFFF")
    check(page.eval("document.activeElement.id") == expected.FIRST_FOCUS, f"{page.engine}: no cell took focus")
    page.screen(640, 360, 2, True)
    turned = page.eval(DRAWN)
    check(turned["width"] == 640 and turned["state"] == before["state"], f"{page.engine}: turning loses nothing",
          (turned["width"], turned["state"]))
    drawn_well(turned, 24, f"{page.engine} turned to 640x360")


# Each text's colour against what is drawn behind it, as WCAG reckons contrast.
CONTRAST = """(() => {
  const channel = c => (c /= 255) <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
  const light = s => (([r, g, b]) => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b))(
    s.match(/[\\d.]+/g).map(Number));
  const behind = e => { for (; e; e = e.parentElement) { const c = getComputedStyle(e).backgroundColor;
    if (!/rgba\\(.*, 0\\)|transparent/.test(c)) return c; } return 'rgb(255, 255, 255)'; };
  return [...document.querySelectorAll('#window .caption, #window .label, #window .option, #window .cell, #window .box')]
    .map(e => { const [a, b] = [light(getComputedStyle(e).color), light(behind(e))].sort((x, y) => y - x);
                return [e.id || e.textContent, e.textContent || e.value, (a + 0.05) / (b + 0.05)]; });
})()"""


def contrast(page, url):
    page.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-contrast", "value": "more"}])
    for scheme in ("light", "dark"):
        page.call("Emulation.setEmulatedMedia", features=[{"name": "prefers-contrast", "value": "more"},
                                                          {"name": "prefers-color-scheme", "value": scheme}])
        page.goto(url)
        for bit in (1, 2, 2):  # cells in all three states
            page.click(*centre(page, f"CommandAddressBits({bit})"))
        faint = [(name, words, round(ratio, 2)) for name, words, ratio in page.eval(CONTRAST) if ratio < 4.5]
        check(not faint, f"with more contrast asked for in {scheme}, every text at 4.5:1", faint)
    page.call("Emulation.setEmulatedMedia", features=[])
