#!/usr/bin/env python3
"""Draws the tool's icon, a small window with three bit cells reading 0, 1
and X in their state colours, in the 16-colour VGA palette. The 16 px image
has its own pixel design; every other size is the 32 px design scaled, so
the large PNGs and the SVG agree with it. Writes the PNGs (for Qt and Linux
desktops), the SVG and the ICO (for Win32)."""
import struct
import zlib
from pathlib import Path

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, RED, BLUE, WHITE = 0, 4, 7, 8, 9, 12, 15
# The sizes a Linux desktop looks for in hicolor, beyond the window's own.
LARGE_SIZES = (48, 64, 128, 256)

GLYPHS = {
    3: {"0": ["111", "101", "101", "101", "111"],
        "1": ["010", "110", "010", "010", "111"],
        "X": ["101", "101", "010", "101", "101"]},
    5: {"0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
        "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
        "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"]},
}


def design(size):
    """The icon as filled rectangles (x0, y0, x1, y1 inclusive, colour) on a
    size x size grid, in painting order; size is 16 or 32."""
    shapes = []

    def rect(x0, y0, x1, y1, colour):
        shapes.append((x0, y0, x1, y1, colour))

    def frame(x0, y0, x1, y1, colour):
        rect(x0, y0, x1, y0, colour)
        rect(x0, y1, x1, y1, colour)
        rect(x0, y0, x0, y1, colour)
        rect(x1, y0, x1, y1, colour)

    last = size - 1
    rect(0, 0, last, last, SILVER)
    frame(0, 0, last, last, BLACK)
    title = 3 if size == 16 else 6
    rect(1, 1, last - 1, title, NAVY)
    glyph_width = 3 if size == 16 else 5
    glyphs = GLYPHS[glyph_width]
    cell = (size - 2) // 3  # three cells across the body
    top = title + (3 if size == 16 else 6)
    height = len(glyphs["0"]) + (2 if size == 16 else 6)
    for n, (text, colour) in enumerate((("0", BLUE), ("1", RED), ("X", BLACK))):
        x0 = 1 + n * cell + (1 if size == 32 else 0)
        x1 = x0 + cell - (2 if size == 32 else 1)
        if size == 32:
            frame(x0, top, x1, top + height - 1, GREY)
            gx = x0 + (x1 - x0 + 1 - glyph_width) // 2
        else:  # too small for cell borders: glyphs alone, evenly spaced
            gx = 2 + 4 * n + (n == 2)
        gy = top + (height - len(glyphs[text])) // 2
        for dy, row in enumerate(glyphs[text]):
            for dx, bit in enumerate(row):
                if bit == "1":
                    rect(gx + dx, gy + dy, gx + dx, gy + dy, colour)
    bar = last - (2 if size == 16 else 5)
    rect(2, bar, last - 2, bar, WHITE)
    return shapes


def raster(size):
    """Palette indices, row by row: the 16 px design at 16, the 32 px one
    scaled (edges rounded to whole pixels) at any other size."""
    grid = 16 if size == 16 else 32
    scale = size / grid
    px = [[SILVER] * size for _ in range(size)]
    for x0, y0, x1, y1, colour in design(grid):
        for y in range(round(y0 * scale), round((y1 + 1) * scale)):
            for x in range(round(x0 * scale), round((x1 + 1) * scale)):
                px[y][x] = colour
    return px


def svg():
    rects = "".join(
        f'<rect x="{x0}" y="{y0}" width="{x1 - x0 + 1}" height="{y1 - y0 + 1}" fill="#{"%02x%02x%02x" % PALETTE[c]}"/>'
        for x0, y0, x1, y1, c in design(32))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32" '
            f'shape-rendering="crispEdges">{rects}</svg>\n')


def _chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def _png(size, colour_type, depth, rows, extra=b""):
    header = struct.pack(">IIBBBBB", size, size, depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + extra
            + _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))


def png16(px):
    """A 4-bit indexed PNG: the window's own 16-colour images."""
    plte = _chunk(b"PLTE", b"".join(bytes(rgb) for rgb in PALETTE))
    rows = [bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2)) for row in px]
    return _png(len(px), 3, 4, rows, plte)


def png_rgba(px):
    """A 32-bit PNG, as desktops and Windows expect their large icons."""
    rows = [b"".join(bytes(PALETTE[c]) + b"\xff" for c in row) for row in px]
    return _png(len(px), 6, 8, rows)


def ico_bitmap(px, bits):
    """An icon frame as a bottom-up DIB: 4-bit indexed or 32-bit BGRA."""
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 16 if bits == 4 else 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE) if bits == 4 else b""
    xor = b""
    for row in reversed(px):
        if bits == 4:
            data = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        else:
            data = b"".join(bytes(reversed(PALETTE[c])) + b"\xff" for c in row)
        xor += data + b"\0" * (-len(data) % 4)
    and_row = (size + 31) // 32 * 4
    mask = b"\0" * (and_row * size)  # fully opaque
    return header + palette + xor + mask


def ico(frames):
    """frames: (pixels, bits) with bits 4 or 32; a 256 px frame is stored
    as PNG, as Windows Vista and later expect."""
    out = struct.pack("<HHH", 0, 1, len(frames))
    offset = 6 + 16 * len(frames)
    blobs = []
    for px, bits in frames:
        size = len(px)
        blob = png_rgba(px) if size == 256 else ico_bitmap(px, bits)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main():
    here = Path(__file__).resolve().parent
    small, large = raster(16), raster(32)
    (here / "addressrangefinder-16.png").write_bytes(png16(small))
    (here / "addressrangefinder-32.png").write_bytes(png16(large))
    for size in LARGE_SIZES:
        (here / f"addressrangefinder-{size}.png").write_bytes(png_rgba(raster(size)))
    (here / "addressrangefinder.svg").write_text(svg())
    # The window's own 16-colour images, and sharp ones for high DPI.
    (here / "addressrangefinder.ico").write_bytes(
        ico([(small, 4), (large, 4), (raster(48), 32), (raster(256), 32)]))


if __name__ == "__main__":
    main()
