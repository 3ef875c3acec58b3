#!/usr/bin/env python3
"""Draws the program's images from images.txt.

    make_images.py images.txt OUTDIR

Writes toolbar.bmp (the strip of toolbar images), list100.bmp and
list101.bmp, AALOGO.ico, REPLACE.ico and cursor111.cur into OUTDIR.
"""
import os
import struct
import sys

TOOLBAR_FACE = (0xC0, 0xC0, 0xC0)
LIST_MASK = (0xFF, 0xFF, 0xFF)


def parse(path):
    palette, images = {}, []
    lines = open(path, encoding="ascii").read().split("\n")
    i = 0
    while i < len(lines):
        words = lines[i].split()
        i += 1
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "palette":
            value = int(words[2], 16)
            palette[words[1]] = ((value >> 16) & 255, (value >> 8) & 255, value & 255)
        elif words[0] == "image":
            kind, name = words[1], words[2]
            size = 16 if kind in ("toolbar", "list") else 32
            rows = lines[i:i + size]
            i += size
            for row in rows:
                if len(row) != size:
                    sys.exit("%s %s: a row of %d characters, not %d" % (kind, name, len(row), size))
                for ch in row:
                    if ch != "." and ch not in palette:
                        sys.exit("%s %s: no colour for %r" % (kind, name, ch))
            images.append({"kind": kind, "name": name, "rows": rows, "size": size,
                           "hot": tuple(int(w) for w in words[-2:]) if kind == "cursor" else None})
        else:
            sys.exit("unknown line: " + lines[i - 1])
    return palette, images


def pixel(palette, ch, background):
    return background if ch == "." else palette[ch]


def bmp24(rows, palette, background):
    """A 24-bit bottom-up BMP file of the character rows."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for ch in row:
            r, g, b = pixel(palette, ch, background)
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + bytes(data)


def and_mask(rows):
    stride = ((len(rows[0]) + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            if ch == ".":
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def ico(rows, palette):
    """An icon file with one 32-bit image and its mask."""
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for ch in row:
            if ch == ".":
                pixels += bytes(4)
            else:
                r, g, b = palette[ch]
                pixels += bytes((b, g, r, 255))
    mask = and_mask(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                       0, 0, 0, 0)
    image = info + bytes(pixels) + mask
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def cur(rows, hot):
    """A cursor file with one black-and-white image: K black, W white."""
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            if ch == "W":
                line[x // 8] |= 0x80 >> (x % 8)
            elif ch not in ".K":
                sys.exit("cursor: only '.', 'K' and 'W' are allowed")
        xor += line
    mask = and_mask(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(mask),
                       0, 0, 2, 0)
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + colours + bytes(xor) + mask
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    palette, images = parse(sys.argv[1])
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    strip = [img for img in images if img["kind"] == "toolbar"]
    strip.sort(key=lambda img: int(img["name"]))
    if [int(img["name"]) for img in strip] != list(range(13)):
        sys.exit("the toolbar needs images 0 to 12")
    rows = ["".join(img["rows"][y] for img in strip) for y in range(16)]
    write("toolbar.bmp", bmp24(rows, palette, TOOLBAR_FACE))
    for img in images:
        if img["kind"] == "list":
            write("list%s.bmp" % img["name"], bmp24(img["rows"], palette, LIST_MASK))
        elif img["kind"] == "icon":
            write("%s.ico" % img["name"], ico(img["rows"], palette))
        elif img["kind"] == "cursor":
            write("cursor%s.cur" % img["name"], cur(img["rows"], img["hot"]))


if __name__ == "__main__":
    main()
