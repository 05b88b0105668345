"""What every Python suite expects of the window, written once: the captions
under each numbering, the states a cell steps through, the names a screen
reader hears, and where the keyboard goes."""

BITS = 24
MODES = ["Standard micro", "PIC 18F"]
START_MODE = 1  # the window opens in PIC 18F numbering
STATES = ["0", "1", "X"]  # a click steps to the next, round
BOX_NAMES = ["Lowest address", "Highest address"]
TAB_STOPS = ["OptionMode(0)", "OptionMode(1)", "TextHexMin", "TextHexMax"]
FIRST_FOCUS = "OptionMode(1)"  # the selected mode button


def captions(mode):
    """The number shown above each bit, bit 0 first."""
    if mode == 0:
        return [str(bit) for bit in range(BITS)]
    return ["BA0"] + [str(bit - 1) for bit in range(1, BITS)]


def cell_name(caption, state):
    return f"Bit {caption}: {state}"


def boxes(states):
    """The lowest and the highest address for each bit's state (an index
    into STATES), bit 0 first."""
    ones = sum(1 << bit for bit, s in enumerate(states) if STATES[s] == "1")
    free = sum(1 << bit for bit, s in enumerate(states) if STATES[s] == "X")
    return [f"0x{ones:X}", f"0x{ones | free:X}"]
