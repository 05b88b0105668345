"""Real input as WebDriver's actions, which Firefox (BiDi) and WebKit
(classic) both take: a pointer's presses at a point, and keys."""

KEYS = {"Tab": "\ue004", " ": " ", "c": "c", "ArrowRight": "\ue014", "ArrowUp": "\ue013", "Shift": "\ue008",
        "Control": "\ue009"}


def presses(kind, x, y, count):
    """`count` presses and releases of a mouse or a finger at one point."""
    steps = [{"type": "pointerMove", "x": round(x), "y": round(y), "origin": "viewport"}]
    steps += [{"type": step, "button": 0} for _ in range(count) for step in ("pointerDown", "pointerUp")]
    return [{"type": "pointer", "id": kind, "parameters": {"pointerType": kind}, "actions": steps}]


def keys(key, shift=False, ctrl=False):
    held = [KEYS[name] for name, down in (("Shift", shift), ("Control", ctrl)) if down]
    steps = [{"type": "keyDown", "value": k} for k in held + [KEYS[key]]]
    steps += [{"type": "keyUp", "value": k} for k in [KEYS[key]] + held[::-1]]
    return [{"type": "key", "id": "keys", "actions": steps}]
