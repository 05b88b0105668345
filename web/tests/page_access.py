"""What assistive technology meets: the accessibility tree's roles and
names, axe-core in light and dark, and forced colours."""
import expected
from checks import check

def accessible(page, url):
    page.goto(url)
    page.call("Accessibility.enable")
    nodes = page.call("Accessibility.getFullAXTree")["nodes"]
    found, cells = {}, []
    for node in nodes:
        if node.get("role", {}).get("value") == "button":
            cells.append(node.get("name", {}).get("value"))
        properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
        found[(node.get("role", {}).get("value"), node.get("name", {}).get("value"))] = properties
    captions = expected.captions(expected.START_MODE)
    wanted = [("button", expected.cell_name(caption, "0"), {}) for caption in captions] + [
        ("textbox", name, {"readonly": True}) for name in expected.BOX_NAMES] + [
        ("radio", mode, {"checked": str(index == expected.START_MODE).lower()})
        for index, mode in enumerate(expected.MODES)] + [
        ("group", "Mode", {}), ("group", "Address bits ( 0 - 1 - X )", {}), ("group", "Configurations", {}),
    ]
    for role, name, properties in wanted:
        got = found.get((role, name))
        check(got is not None and all(got.get(k) == v for k, v in properties.items()), f"{role} {name!r}", got)
    reading = [expected.cell_name(caption, "0") for caption in reversed(captions)]
    check(cells == reading, "a reader meets the cells from bit 23 down", cells)
    page.call("Accessibility.disable")
    # A screen reader presses a cell with a click that counts no presses.
    press = "(c => (c.click(), c.getAttribute('aria-label')))(document.getElementById('CommandAddressBits(1)'))"
    check(page.eval(press) == expected.cell_name(captions[1], "1"), "a press without the mouse is one step")


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
