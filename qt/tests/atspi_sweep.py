"""Bad arguments over every AT-SPI method of every object of the program,
sent as raw D-Bus calls so that they reach it exactly as written, whatever a
client library would check first. Each call must be answered (no crash, no
hang) with nothing: an error, -1, an empty text or range, a null object. A
request that cannot be met must change nothing a reader could see; a few
good requests beside them show that the same calls do work."""
import time

from a11ycheck import check
from gi.repository import Gio, GLib

INT_MIN, INT_MAX, UINT_MAX = -2**31, 2**31 - 1, 2**32 - 1
SCREEN, WINDOW, PARENT = 0, 1, 2
COORDS = (SCREEN, WINDOW, PARENT)
BAD_COORDS = (3, UINT_MAX)
NULL_PATH = "/org/a11y/atspi/null"
HUNG = "no answer"


class Bus:
    """The program on the accessibility bus, called on directly."""
    def __init__(self, name):
        self.name = name
        session = Gio.bus_get_sync(Gio.BusType.SESSION)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
                                    GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 5000, None).unpack()[0]
        self.bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

    def call(self, node, interface, method, signature="()", args=()):
        """The reply's values; None for an error reply, HUNG for none."""
        if not interface.startswith("org.freedesktop"):
            interface = "org.a11y.atspi." + interface
        try:
            reply = self.bus.call_sync(self.name, node.path, interface, method,
                                       GLib.Variant(signature, tuple(args)) if args else None, None,
                                       Gio.DBusCallFlags.NONE, 20000, None)
        except GLib.Error as error:
            return HUNG if error.matches(Gio.io_error_quark(), Gio.IOErrorEnum.TIMED_OUT) else None
        return reply.unpack()


def is_(*values):
    return lambda reply, args: reply is None or reply == values


def empty_extents(reply, args):
    """No width or height; in screen terms at -1, -1 as well."""
    return reply is None or (reply[2:] == (0, 0) and (args[-1] != SCREEN or reply[:2] == (-1, -1)))


def no_object(reply, args):
    return reply is None or reply[0][1] == NULL_PATH


def empty_selection(reply, args):
    return reply is None or reply[0] == reply[1]


def answered(reply, args):
    # Anything at all: what is asked is well-formed, and whether it can be
    # met is the toolkit's to say; the program must only live through it.
    return True


def outside(extents):
    """Points just past each edge of an object, and far away."""
    x, y, w, h = extents
    far = [(INT_MIN, INT_MIN), (INT_MAX, INT_MAX), (INT_MIN, INT_MAX)]
    return ([(x - 1, y + h // 2, SCREEN), (x + w, y + h // 2, SCREEN), (x + w // 2, y - 1, SCREEN),
             (x + w // 2, y + h, SCREEN), (-1, -1, WINDOW), (-1, -1, PARENT)] +
            [(px, py, c) for px, py in far for c in COORDS])


def bad_indices(count):
    return [(-1,), (count,), (INT_MIN,), (INT_MAX,)]


class Row:
    """A method, the bad arguments it gets from an object's figures and
    what it must answer; `changes` rows must leave the program as it was,
    from each starting state in `presets`."""
    def __init__(self, interface, method, signature, arguments, answer, changes=False, presets=(None,)):
        self.interface, self.method, self.signature = interface, method, signature
        self.arguments, self.answer, self.changes, self.presets = arguments, answer, changes, presets


# Left out, as Qt's bridge answers them without asking the program:
# GetBoundedRanges (which Qt 6.4 cannot even send), and ranges that span
# from far below 0 or up to INT_MAX, for which the bridge asks the extents
# of every offset in turn (for ever, up to INT_MAX). The bridge answers
# True to every caret and selection change, done or not: only what the
# program then shows counts.
def text_rows(length):
    offsets = [(-2,), (length + 1,), (INT_MIN,), (INT_MAX,)]
    pieces = [(o, b) for (o,) in offsets for b in range(7)]
    ranges = [(-2, 1), (2, 1), (0, length + 1), (length + 1, length + 2), (INT_MIN, INT_MAX), (INT_MAX, INT_MIN),
              (INT_MIN, -1)]
    selections = [(2, 1), (1, 1), (-1, 2), (0, length + 1), (INT_MIN, INT_MAX), (INT_MAX, INT_MIN)]
    extents = [(o, c) for o in (-1, -2, length + 1, INT_MIN, INT_MAX) for c in COORDS]
    rows = [Row("Text", "GetText", "(ii)", lambda o: ranges, is_("")),
            Row("Text", "GetCharacterAtOffset", "(i)", lambda o: offsets + [(-1,), (length,)], is_(0)),
            Row("Text", "GetAttributeRun", "(ib)", lambda o: [a + (d,) for a in offsets for d in (False, True)],
                lambda r, a: r is None or r[1:] == (-1, -1)),
            Row("Text", "GetAttributes", "(i)", lambda o: offsets, lambda r, a: r is None or r[1:] == (-1, -1)),
            Row("Text", "GetAttributeValue", "(is)", lambda o: [a + ("fg-color",) for a in offsets], is_("")),
            Row("Text", "GetCharacterExtents", "(iu)", lambda o: extents, empty_extents),
            Row("Text", "GetCharacterExtents", "(iu)", lambda o: [(0, c) for c in BAD_COORDS], answered),
            Row("Text", "GetRangeExtents", "(iiu)",
                lambda o: [(s, e, c) for s, e in [(INT_MIN, INT_MIN + 1), (-5, -2), (length + 1, length + 5),
                                                  (2, 1), (INT_MAX, INT_MIN)] for c in COORDS], empty_extents),
            Row("Text", "GetOffsetAtPoint", "(iiu)",
                lambda o: outside(o["extents"]) + [(0, 0, c) for c in BAD_COORDS], is_(-1)),
            Row("Text", "GetSelection", "(i)", lambda o: bad_indices(1), empty_selection),
            Row("Text", "GetStringAtOffset", "(iu)", lambda o: [a + (g,) for a in offsets for g in (0, 4, UINT_MAX)],
                is_("", -1, -1)),
            Row("Text", "ScrollSubstringTo", "(iiu)", lambda o: [r + (UINT_MAX,) for r in ranges], answered),
            Row("Text", "ScrollSubstringToPoint", "(iiuii)",
                lambda o: [r + (c, INT_MIN, INT_MAX) for r in ranges for c in COORDS + BAD_COORDS], answered),
            Row("Text", "AddSelection", "(ii)", lambda o: selections, is_(False), True, ("caret", "selection")),
            Row("Text", "AddSelection", "(ii)", lambda o: [(0, length), (0, 1)], is_(False), True, ("selection",)),
            Row("Text", "SetSelection", "(iii)",
                lambda o: [(i, 0, length) for (i,) in bad_indices(1)] + [(0,) + s for s in selections],
                answered, True, ("caret", "selection")),
            Row("Text", "RemoveSelection", "(i)", lambda o: bad_indices(1), answered, True, ("selection",)),
            Row("Text", "SetCaretOffset", "(i)", lambda o: [(-1,), (-2,), (length + 1,), (INT_MIN,), (INT_MAX,)],
                answered, True, ("caret", "selection"))]
    for method in ("GetTextAtOffset", "GetTextBeforeOffset", "GetTextAfterOffset"):
        rows.append(Row("Text", method, "(iu)", lambda o: pieces, is_("", -1, -1)))
    return rows


def node_rows():
    points = lambda o: outside(o["extents"])
    rows = [Row("Accessible", "GetChildAtIndex", "(i)", lambda o: bad_indices(o["children"]), no_object),
            Row("Action", "DoAction", "(i)", lambda o: bad_indices(o["actions"]), is_(False), True),
            Row("Component", "Contains", "(iiu)", points, is_(False)),
            Row("Component", "GetAccessibleAtPoint", "(iiu)", points, no_object),
            # Qt 6.4 takes an unknown kind of coordinates for the screen's.
            Row("Component", "Contains", "(iiu)", lambda o: [(0, 0, c) for c in BAD_COORDS], answered),
            Row("Component", "GetAccessibleAtPoint", "(iiu)", lambda o: [(0, 0, c) for c in BAD_COORDS], answered),
            Row("Component", "GetExtents", "(u)", lambda o: [(c,) for c in BAD_COORDS], answered),
            Row("Component", "GetPosition", "(u)", lambda o: [(c,) for c in BAD_COORDS], answered),
            Row("Component", "SetExtents", "(iiiiu)",
                lambda o: [(INT_MIN, INT_MIN, INT_MAX, INT_MAX, c) for c in (SCREEN, UINT_MAX)], is_(False), True),
            Row("Component", "SetPosition", "(iiu)", lambda o: [(INT_MAX, INT_MIN, c) for c in (SCREEN, UINT_MAX)],
                is_(False), True),
            Row("Component", "SetSize", "(ii)", lambda o: [(INT_MIN, INT_MIN), (INT_MAX, INT_MAX)], is_(False), True),
            Row("Component", "ScrollTo", "(u)", lambda o: [(UINT_MAX,)], answered, True),
            Row("Component", "ScrollToPoint", "(uii)", lambda o: [(c, INT_MIN, INT_MAX) for c in (SCREEN, UINT_MAX)],
                answered, True),
            Row("org.freedesktop.DBus.Properties", "Get", "(ss)",
                lambda o: [("org.a11y.atspi." + i, "NoSuchProperty") for i in o["interfaces"]], is_())]
    for method in ("GetName", "GetDescription", "GetKeyBinding", "GetLocalizedName"):
        rows.append(Row("Action", method, "(i)", lambda o: bad_indices(o["actions"]), is_("")))
    # What takes no arguments still answers, between the bad calls.
    for interface, methods in (("Accessible", "GetChildren GetIndexInParent GetRelationSet GetRole GetRoleName "
                                              "GetLocalizedRoleName GetState GetAttributes GetApplication "
                                              "GetInterfaces"),
                               ("Action", "GetActions"),
                               ("Component", "GetSize GetLayer GetMDIZOrder GetAlpha"),
                               ("Text", "GetNSelections GetDefaultAttributes GetDefaultAttributeSet")):
        rows += [Row(interface, m, "()", lambda o: [()], answered) for m in methods.split()]
    return rows


class Sweep:
    def __init__(self, program, nodes):
        self.bus = Bus(nodes[0].app.bus_name)
        self.program = program
        # Read while the program answers: a failure may come after it died.
        self.names = {n.path: n.name for n in nodes}
        self.nodes = nodes
        self.boxes = [n for n in nodes if "Text" in n.get_interfaces()]
        self.radios = [n for n in nodes if n.getRoleName() == "radio button"]
        self.alive = True

    def call(self, node, interface, method, signature="()", args=()):
        reply = self.bus.call(node, interface, method, signature, args)
        if reply is HUNG or self.program.poll() is not None:
            self.alive = False
            check(False, f"{self.names[node.path]!r} answers {method}{args}", reply)
        return reply

    def state(self, node):
        """What a misplaced request could change: each box's text, caret
        and selection, the mode buttons' states, where the object is."""
        seen = [self.bus.call(node, "Component", "GetExtents", "(u)", (SCREEN,))]
        for box in self.boxes:
            seen += [self.bus.call(box, "Text", m, s, a) for m, s, a in
                     (("GetText", "(ii)", (0, -1)), ("GetCaretOffset", "()", ()), ("GetNSelections", "()", ()),
                      ("GetSelection", "(i)", (0,)))]
        return seen + [self.bus.call(r, "Accessible", "GetState") for r in self.radios]

    def preset(self, box, kind):
        """A caret at 1 and no selection, or a selection of 1 to 2: each
        checked, so that both requests are seen to work."""
        if kind == "caret":
            self.call(box, "Text", "RemoveSelection", "(i)", (0,))
            self.call(box, "Text", "SetCaretOffset", "(i)", (1,))
            got = (self.call(box, "Text", "GetCaretOffset"), self.call(box, "Text", "GetNSelections"))
            check(got == ((1,), (0,)), f"{self.names[box.path]}: the caret is set to 1 and no text selected", got)
        elif kind == "selection":
            self.call(box, "Text", "SetSelection", "(iii)", (0, 1, 2))
            got = self.call(box, "Text", "GetSelection", "(i)", (0,))
            check(got == (1, 2), f"{self.names[box.path]}: a selection is set from 1 to 2", got)

    def figures(self, node):
        interfaces = node.get_interfaces()
        return {"interfaces": interfaces,
                "children": len(self.call(node, "Accessible", "GetChildren")[0]),
                "actions": len(self.call(node, "Action", "GetActions")[0]) if "Action" in interfaces else 0,
                "extents": self.call(node, "Component", "GetExtents", "(u)", (SCREEN,))[0]
                if "Component" in interfaces else (0, 0, 0, 0)}

    def run_row(self, node, row, figures):
        for preset in row.presets:
            before = None
            for args in row.arguments(figures):
                if preset:
                    self.preset(node, preset)
                if row.changes and (preset or before is None):
                    before = self.state(node)
                reply = self.call(node, row.interface, row.method, row.signature, args)
                if not self.alive:
                    return
                what = f"{self.names[node.path]!r} {row.method}{args}"
                check(row.answer(reply, args), what + " answers nothing", reply)
                if row.changes:
                    after = self.state(node)
                    check(before == after, what + f" changes nothing (from {preset or 'as is'})",
                          [(b, a) for b, a in zip(before, after) if b != a])
                    before = after

    def good_text(self, box):
        """The same calls in range do answer."""
        length = self.call(box, "Text", "GetCharacterCount")[0]
        extents = self.call(box, "Text", "GetCharacterExtents", "(iu)", (0, SCREEN))
        check(extents[2] > 0 and extents[3] > 0, f"{self.names[box.path]}: the first character has extents", extents)
        x, y, w, h = extents
        at = self.call(box, "Text", "GetOffsetAtPoint", "(iiu)", (x + w // 2, y + h // 2, SCREEN))
        check(at == (0,), f"{self.names[box.path]}: the middle of the first character is offset 0", at)
        self.preset(box, "caret")
        added = self.call(box, "Text", "AddSelection", "(ii)", (0, length))
        got = self.call(box, "Text", "GetSelection", "(i)", (0,))
        check(added == (True,) and got == (0, length), f"{self.names[box.path]}: a selection of all is added", (added, got))
        self.call(box, "Text", "RemoveSelection", "(i)", (0,))
        check(self.call(box, "Text", "GetNSelections") == (0,), f"{self.names[box.path]}: the selection is removed")

    def run(self):
        started = time.time()
        rows = node_rows()
        swept = {r.interface for r in rows} | {"Text"}
        roles = set()
        for node in self.nodes:
            figures = self.figures(node)
            unswept = [i for i in figures["interfaces"] if i not in swept]
            check(not unswept, f"{self.names[node.path]!r}: every interface is swept", unswept)
            # Requests that could change something, each followed by a look
            # at everything, go to one object of each kind (and to every box).
            own = rows if node.getRole() not in roles else [r for r in rows if not r.changes]
            roles.add(node.getRole())
            if "Text" in figures["interfaces"]:
                self.good_text(node)
                own = rows + text_rows(self.call(node, "Text", "GetCharacterCount")[0])
            for row in own:
                if self.alive and (row.interface in figures["interfaces"] or
                                   row.interface.startswith("org.freedesktop")):
                    self.run_row(node, row, figures)
            if not self.alive:
                break
        print(f"bad-argument sweep over {len(self.nodes)} objects took {time.time() - started:.1f} s")


def sweep(program, nodes):
    Sweep(program, nodes).run()
