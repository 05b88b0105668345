"""Real input as WebDriver's actions, which Firefox (BiDi) and WebKit
(classic) both take: a pointer's presses at a point, and keys."""

KEYS = {"Tab": "\ue004", " ": " ", "ArrowRight": "\ue014", "ArrowUp": "\ue013", "Shift": "\ue008"}


def presses(kind, x, y, count):
    """`count` presses and releases of a mouse or a finger at one point."""
    steps = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport"}]
    steps += [{"type": step, "button": 0} for _ in range(count) for step in ("pointerDown", "pointerUp")]
    return [{"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": steps}]


def keys(key, shift=False):
    steps = [{"type": "keyDown", "value": KEYS[key]}, {"type": "keyUp", "value": KEYS[key]}]
    if shift:
        steps = [{"type": "keyDown", "value": KEYS["Shift"]}] + steps + [{"type": "keyUp", "value": KEYS["Shift"]}]
    return [{"type": "key", "id": "keys", "actions": steps}]
