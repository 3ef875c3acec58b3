#!/usr/bin/env python3
"""Writes the hostile executables: resources whose counts, ids, names and
sizes are chosen to break a viewer that trusts them.

    make_hostile.py OUTDIR

Each file is a PE32 DLL with one section, .rsrc, at RVA 0x1000 and file
offset 0x200, laid out here byte by byte (no compiler, no resource tool).
"""
import os
import struct
import sys

SECTION_RVA = 0x1000
SECTION_RAW = 0x200


def dib(width, height, bits, size):
    """An icon image of `size` bytes: a BITMAPINFOHEADER (height doubled
    for the mask) and zero bytes."""
    head = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    return head + bytes(max(0, size - len(head)))


def bitmap(width, height, bits):
    """A BITMAP resource: header, colour table and rows of zero bits."""
    colors = {1: 2, 4: 16, 8: 256}.get(bits, 0)
    row = (width * bits + 31) // 32 * 4
    head = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, 0, 0, 0, 0, 0)
    return head + bytes(4 * colors) + bytes(row * height)


def group(count, ids, width=32, bits=32, size=0x4000):
    """A GROUP_ICON: idCount `count`, then one 14-byte entry per id."""
    out = struct.pack('<HHH', 0, 1, count)
    for i in ids:
        out += struct.pack('<BBBBHHIH', width & 0xFF, width & 0xFF, 0, 0, 1, bits, size, i)
    return out


def dialog():
    """A dialog template whose first control, an edit with id 1, takes the
    focus as the dialog is made; a button with id 2 ends it."""
    def text(t):
        return (t + '\0').encode('utf-16-le')

    def align(b):
        return b + bytes((-len(b)) % 4)
    out = struct.pack('<IIHhhhh', 0x80C00000, 0, 2, 0, 0, 160, 60) + b'\0\0\0\0' + text('Edit first')
    out = align(out)
    out += struct.pack('<IIhhhhH', 0x50810000, 0, 8, 8, 100, 12, 1) + b'\xff\xff\x81\x00' + text('typed') + b'\0\0'
    out = align(out)
    out += struct.pack('<IIhhhhH', 0x50010000, 0, 8, 30, 50, 14, 2) + b'\xff\xff\x80\x00' + text('Close') + b'\0\0'
    return out


def utf16(name):
    return struct.pack('<H', len(name)) + name.encode('utf-16-le')


def resources(types):
    """The .rsrc section of `types`: [(type, [(name, bytes)])], a name being
    an int id or a string."""
    def key(n):
        return (1, n, "") if isinstance(n, int) else (0, 0, n)
    dirs, strings, datas, blobs = bytearray(), bytearray(), bytearray(), bytearray()
    # Sizes of the parts, to place them: directories first, then the data
    # entries, the names, and the data.
    n_types = len(types)
    n_entries = sum(len(e) for _, e in types)
    dir_size = 16 + 8 * n_types + sum(16 + 8 * len(e) for _, e in types) + n_entries * (16 + 8)
    data_at = dir_size
    names_at = data_at + 16 * n_entries
    names = []
    for t, entries in types:
        if isinstance(t, str):
            names.append(t)
        names += [n for n, _ in entries if isinstance(n, str)]
    name_offset, at = {}, names_at
    for n in names:
        if n not in name_offset:
            name_offset[n] = at
            strings += utf16(n)
            at += len(utf16(n))
    blobs_at = (names_at + len(strings) + 15) & ~15

    def name_field(n):
        return 0x80000000 | name_offset[n] if isinstance(n, str) else n

    out = bytearray(dir_size)
    named = [t for t, _ in types if isinstance(t, str)]
    struct.pack_into('<IIHHHH', out, 0, 0, 0, 0, 0, len(named), n_types - len(named))
    next_dir = 16 + 8 * n_types
    entry_dirs = []
    for i, (t, entries) in enumerate(sorted(types, key=lambda x: key(x[0]))):
        struct.pack_into('<II', out, 16 + 8 * i, name_field(t), 0x80000000 | next_dir)
        entry_dirs.append((next_dir, entries))
        next_dir += 16 + 8 * len(entries)
    data_index = 0
    for d, entries in entry_dirs:
        named_e = [n for n, _ in entries if isinstance(n, str)]
        struct.pack_into('<IIHHHH', out, d, 0, 0, 0, 0, len(named_e), len(entries) - len(named_e))
        for j, (n, blob) in enumerate(sorted(entries, key=lambda x: key(x[0]))):
            lang = next_dir
            next_dir += 24
            struct.pack_into('<II', out, d + 16 + 8 * j, name_field(n), 0x80000000 | lang)
            struct.pack_into('<IIHHHHII', out, lang, 0, 0, 0, 0, 0, 1, 1033,
                             data_at + 16 * data_index)
            rva = SECTION_RVA + blobs_at + len(blobs)
            datas += struct.pack('<IIII', rva, len(blob), 0, 0)
            blobs += blob + bytes((-len(blob)) % 4)
            data_index += 1
    section = out + datas + strings
    section += bytes(blobs_at - len(section)) + blobs
    return bytes(section)


def pe(section, tail=b''):
    """A PE32 DLL holding `section` as .rsrc; `tail` follows the section."""
    head = bytearray(SECTION_RAW)
    head[0:2] = b'MZ'
    struct.pack_into('<I', head, 0x3C, 0x40)
    head[0x40:0x44] = b'PE\0\0'
    struct.pack_into('<HHIIIHH', head, 0x44, 0x14C, 1, 0, 0, 0, 224, 0x2102)
    opt = 0x58
    struct.pack_into('<H', head, opt, 0x10B)
    struct.pack_into('<I', head, opt + 28, 0x10000000)  # ImageBase
    struct.pack_into('<II', head, opt + 32, 0x1000, 0x200)  # alignments
    struct.pack_into('<I', head, opt + 56, SECTION_RVA + len(section))  # SizeOfImage
    struct.pack_into('<I', head, opt + 60, SECTION_RAW)  # SizeOfHeaders
    struct.pack_into('<I', head, opt + 92, 16)
    struct.pack_into('<II', head, opt + 96 + 8 * 2, SECTION_RVA, len(section))
    sec = opt + 224
    head[sec:sec + 8] = b'.rsrc\0\0\0'
    struct.pack_into('<IIII', head, sec + 8, len(section), SECTION_RVA, len(section), SECTION_RAW)
    return bytes(head) + section + tail


def files():
    icon = dib(32, 32, 32, 0x1000)
    out = {}
    # 65,535 entries, every one naming one icon of 1 MB: 64 GB as an .ICO.
    out['group65535.dll'] = pe(resources([
        (3, [(1, dib(32, 32, 32, 1 << 20))]),
        (14, [(1, group(65535, [1] * 65535, size=1 << 20))]),
    ]))
    # A group claiming 40,000 entries that holds two; what follows it looks
    # like more entries naming the icons.
    claims = group(40000, [1, 2])
    out['claims40000.dll'] = pe(resources([
        (3, [(1, icon), (2, icon)]),
        (14, [(1, claims), (2, group(3, [2, 1, 2]))]),
        (10, [(1, struct.pack('<BBBBHHIH', 32, 32, 0, 0, 1, 32, 0x1000, 1) * 40000)]),
    ]))
    # Repeated ids, ids past the table, and a group naming no image at all.
    out['groupids.dll'] = pe(resources([
        (3, [(1, icon), (2, dib(16, 16, 4, 0x300))]),
        (14, [(1, group(4, [1, 1, 2, 1])), (2, group(3, [1, 99, 500])),
              (3, group(2, [77, 0xFFFF])), (4, group(1, [2], width=0, bits=8))]),
    ]))
    # Names that are devices, streams or folders on Windows.
    small = bitmap(8, 8, 4)
    out['devnames.dll'] = pe(resources([
        (2, [('COM1', small), ('NUL', small), ('con.txt', small), ('a:b', small),
             ('LPT9', small), ('..', small), (1, small)]),
        (3, [('AUX', icon), (7, dib(65535, 65535, 32, 0x200))]),
        (5, [(1, dialog())]),
    ]))
    return out


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, data in files().items():
        with open(os.path.join(outdir, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
