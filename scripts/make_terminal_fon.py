#!/usr/bin/env python3
"""Builds terminal.fon: a raster "Terminal" face (OEM character set, code page
437) for Wine prefixes, which have none. Its sizes are 8 x 8, 8 x 12 and
8 x 16 pixels, taken from the Linux console fonts of console-setup (the 8 x 12
is the 8 x 13 "Fixed" font without its top row, which no character uses), so
that a 12-pixel row holds every descender whole.

    make_terminal_fon.py OUTPUT.fon [CONSOLEFONTS_DIR]
"""
import gzip
import os
import struct
import sys

# (console font, rows to drop at the top, height kept)
SIZES = [("Lat15-VGA8", 0, 8), ("Lat15-Fixed13", 1, 12), ("Lat15-Fixed16", 0, 16)]
FIRST, LAST = 0x20, 0xFF
OEM_CHARSET = 255
FF_MODERN_FIXED = 0x30  # FF_MODERN; low bit clear = fixed pitch
HEADER_SIZE = 148       # FNT version 3.0 header


def read_psf1(path):
    """Glyph rows of an 8-pixel-wide PSF1 font and its Unicode map."""
    data = gzip.open(path).read()
    if data[:2] != b"\x36\x04":
        raise SystemExit(f"{path}: not a PSF1 font")
    mode, height = data[2], data[3]
    count = 512 if mode & 1 else 256
    glyphs = [data[4 + i * height: 4 + (i + 1) * height] for i in range(count)]
    unicode = {}
    if mode & 2:
        pos = 4 + count * height
        for index in range(count):
            in_sequence = False
            while True:
                (u,) = struct.unpack_from("<H", data, pos)
                pos += 2
                if u == 0xFFFF:
                    break
                if u == 0xFFFE:
                    in_sequence = True
                elif not in_sequence:
                    unicode.setdefault(chr(u), index)
    return height, glyphs, unicode


def baseline(glyphs, unicode):
    """Rows above the baseline: one below the lowest row of "H"."""
    rows = glyphs[unicode["H"]]
    return max(i for i, r in enumerate(rows) if r) + 1


def fnt(name, drop, height):
    path = os.path.join(FONT_DIR, name + ".psf.gz")
    full, glyphs, unicode = read_psf1(path)
    ascent = baseline(glyphs, unicode) - drop
    fallback = unicode.get("\ufffd", unicode["?"])
    count = LAST - FIRST + 1
    table_size = (count + 1) * 6
    face_offset = HEADER_SIZE + table_size
    face = b"Terminal\0"
    bits_offset = face_offset + len(face)
    bits = bytearray()
    table = bytearray()
    for code in range(FIRST, LAST + 1):
        glyph = glyphs[unicode.get(bytes([code]).decode("cp437"), fallback)]
        table += struct.pack("<HI", 8, bits_offset + len(bits))
        bits += glyph[drop:drop + height].ljust(height, b"\0")
    # the closing entry: an absolute space
    table += struct.pack("<HI", 8, bits_offset + len(bits))
    bits += b"\0" * height
    size = bits_offset + len(bits)
    points = (height * 72 + 48) // 96
    header = struct.pack(
        "<HI60sHHHHHHHBBBHBHHBHHBBBBHIIIIBIHHHI16s",
        0x300, size, b"Built from the Linux console fonts of console-setup",
        0, points, 96, 96, ascent, 0, 0, 0, 0, 0, 400, OEM_CHARSET,
        8, height, FF_MODERN_FIXED, 8, 8, FIRST, LAST,
        ord("?") - FIRST, 0, 1, 0, face_offset, 0, bits_offset, 0,
        0x11,  # DFF_FIXED | DFF_1COLOR
        0, 0, 0, 0, b"")
    assert len(header) == HEADER_SIZE
    return header + table + face + bytes(bits)


def ne_file(fonts):
    """An NE module holding the fonts as RT_FONT resources 1 ... n."""
    shift = 4
    align = 1 << shift
    mz = bytearray(64)
    mz[0:2] = b"MZ"
    struct.pack_into("<I", mz, 0x3C, 64)
    module = b"\x08TERMINAL\0\0\0"                    # resident names
    description = b"FONTRES 100,96,96 : Terminal"
    nonresident = bytes([len(description)]) + description + b"\0\0\0"
    ne_size = 64
    res_size = 2 + 8 + 12 * len(fonts) + 2 + 1      # shift, type, entries, end, names
    res_off = ne_size
    resident_off = res_off + res_size
    modref_off = resident_off + len(module)          # no imports, an empty entry table
    nonres_abs = 64 + modref_off + 2
    data_start = (nonres_abs + len(nonresident) + align - 1) // align * align
    placed, pos = [], data_start
    for f in fonts:
        placed.append((pos, len(f)))
        pos = (pos + len(f) + align - 1) // align * align
    ne = struct.pack("<2sBBHHIHHHHIIHHHHHHHHIHHHBBHHHH",
                     b"NE", 5, 10, modref_off, 0, 0, 0x8000, 0, 0, 0, 0, 0,
                     0, 0, len(nonresident), ne_size, res_off, resident_off,
                     modref_off, modref_off, nonres_abs, 0, shift, 0, 2, 0,
                     0, 0, 0, 0x300)
    assert len(ne) == 64
    res = struct.pack("<HHHI", shift, 0x8008, len(fonts), 0)
    for i, (off, length) in enumerate(placed):
        res += struct.pack("<HHHHHH", off >> shift, (length + align - 1) >> shift,
                           0x1C30, 0x8001 + i, 0, 0)
    res += b"\0\0\0"
    out = bytearray(mz + ne + res + module + b"\0\0" + nonresident)
    for f, (off, _) in zip(fonts, placed):
        out += b"\0" * (off - len(out)) + f
    out += b"\0" * (-len(out) % align)
    return bytes(out)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    FONT_DIR = sys.argv[2] if len(sys.argv) == 3 else "/usr/share/consolefonts"
    with open(sys.argv[1], "wb") as out:
        out.write(ne_file([fnt(*size) for size in SIZES]))
