#!/usr/bin/env python3
"""Draws the tool's icon, a small window with three bit cells reading 0, 1
and X in their state colours, at 16 and 32 pixels in the 16-colour VGA
palette, and writes it as PNG (for Qt and Linux desktops) and ICO (for
Win32)."""
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

GLYPHS = {
    3: {"0": ["111", "101", "101", "101", "111"],
        "1": ["010", "110", "010", "010", "111"],
        "X": ["101", "101", "010", "101", "101"]},
    5: {"0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
        "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
        "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"]},
}


def draw(size):
    px = [[SILVER] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    def frame(x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            px[y0][x] = px[y1][x] = colour
        for y in range(y0, y1 + 1):
            px[y][x0] = px[y][x1] = colour

    last = size - 1
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
                    px[gy + dy][gx + dx] = colour
    rect(2, last - (2 if size == 16 else 5), last - 2, last - (2 if size == 16 else 5), WHITE)
    return px


def png(px):
    size = len(px)
    raw = b"".join(b"\0" + bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2)) for row in px)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit indexed
    plte = b"".join(bytes(rgb) for rgb in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", plte)
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_image(px):
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor = b""
    for row in reversed(px):
        data = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        xor += data + b"\0" * (-len(data) % 4)
    and_row = (size + 31) // 32 * 4
    mask = b"\0" * (and_row * size)  # fully opaque
    return header + palette + xor + mask


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for px in images:
        blob = ico_image(px)
        size = len(px)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main():
    here = Path(__file__).resolve().parent
    small, large = draw(16), draw(32)
    (here / "addressrangefinder-16.png").write_bytes(png(small))
    (here / "addressrangefinder-32.png").write_bytes(png(large))
    (here / "addressrangefinder.ico").write_bytes(ico([small, large]))


if __name__ == "__main__":
    main()
