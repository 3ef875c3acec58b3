#!/usr/bin/env python3
"""Golden tests of orvex-dump on files that no one here wrote, against independent tools.

  golden.py hex DUMP                   --hex and --char rows against xxd's digits, laid out
                                       here, on every byte value, odd lengths and starts
  golden.py pe DUMP OBJDUMP FILE...    exports and imports against objdump -p, resources
                                       against wrestool -l and the file's bytes
  golden.py ttf DUMP FILE...           font tables against ttx -l

A FILE that is a folder stands for its .dll and .exe files, or its .ttf
files. --every N (before the mode) keeps every Nth file of the folders and
a few large DLLs rich in resources: a quicker sample for the sanitizer build.

Exit status 0 when everything matches, 1 on a difference, 77 when the
inputs are missing (run scripts/fetch-golden.sh).
"""
import os
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

TYPE_NAMES = ["Type 0", "CURSOR", "BITMAP", "ICON", "MENU", "DIALOG", "STRING", "FONTDIR",
              "FONT", "ACCELERATOR", "RCDATA", "MESSAGETABLE", "GROUP_CURSOR", "Type 13",
              "GROUP_ICON", "Type 15", "VERSION", "DLGINCLUDE", "Type 18", "PLUGPLAY", "VXD",
              "ANICURSOR", "ANIICON", "HTML", "MANIFEST"]
ALWAYS = ("shell32.dll", "comctl32.dll", "user32.dll")
IMAGE_EXT = {"BITMAP": "BMP", "ICON": "ICO", "CURSOR": "CUR"}
failures = []


def run(args):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE).stdout.decode("latin-1")


def check(what, ours, theirs):
    if ours != theirs:
        failures.append(what)
        if isinstance(ours, list) and isinstance(theirs, list):
            ours, theirs = [x for x in ours if x not in theirs], [x for x in theirs if x not in ours]
        print(f"DIFFERENT: {what}\n  ours:   {str(ours)[:600]}\n  theirs: {str(theirs)[:600]}")


def objdump_exports(text):
    rvas, names, table = {}, [], None
    for line in text.splitlines():
        if line.startswith("Export Address Table -- Ordinal Base"):
            table = "eat"
        elif line.startswith("[Ordinal/Name Pointer] Table"):
            table = "names"
        elif table == "eat" and (m := re.match(r"\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+)", line)):
            rvas[int(m.group(1))] = int(m.group(2), 16)
        elif table == "names" and (m := re.match(r"\s*\[\s*(\d+)\] (\S+)$", line)):
            names.append((int(m.group(1)), m.group(2)))
        elif table == "names" and line.strip() == "":
            table = None
    lines = [f"0x{o:04X}   0x{rvas.get(o, 0):08X}  {n}" for o, n in names]
    # A table without names still gives the two heading lines.
    return ["Ordinal  RVA         Name", "-------  ----------  --------"] + lines if "The Export Tables" in text else []


def objdump_imports(text):
    libs = []
    for line in text.splitlines():
        if m := re.match(r"\tDLL Name: (.*)$", line):
            libs.append([m.group(1)])
        elif libs and (m := re.match(r"\t([0-9a-f]+)\s+([0-9a-f]+)\s+(\S+)", line)) and m.group(3) != "Member-Name":
            if m.group(3) == "<none>":
                # The first column is the thunk itself: its low 16 bits are
                # the ordinal (the second column is decimal for PE32 and hex
                # for PE32+ in this objdump).
                libs[-1].append(f"  ordinal:     0x{int(m.group(1), 16) & 0xFFFF:04X}")
            else:
                hint = int(m.group(2))
                libs[-1].append((f"hint=0x{hint:04X}" if hint else "").ljust(15) + m.group(3))
    return sorted(libs)


def our_imports(dump, path):
    libs = []
    for line in run([dump, "--imports", path]).splitlines():
        if line.startswith(("hint=", "  ordinal:", " " * 15)):
            libs[-1].append(line)
        else:
            libs.append([line])
    return sorted(libs)


def wrestool_resources(path):
    out = []
    for line in run(["wrestool", "-l", path]).splitlines():
        m = re.match(r"--type=(\S+) --name=(\S+) --language=(\S+) \[(?:type=\S+ )?offset=0x([0-9a-f]+) size=(\d+)\]", line)
        if not m:
            continue
        t, n = m.group(1).strip("'"), m.group(2).strip("'")
        if t.isdigit():
            t = TYPE_NAMES[int(t)] if int(t) <= 24 else f"Type {t}"
        entry = (t, n, int(m.group(4), 16), int(m.group(5)), m.group(3))
        # The first language only: the same entry again in another language.
        if not out or out[-1][:2] != entry[:2] or out[-1][4] == entry[4]:
            out.append(entry)
    return out


def our_resources(tree):
    out, lines = [], tree.splitlines()
    for i, line in enumerate(lines):
        if re.match(r"    [0-9A-F]{8}: Resources$", line):
            kind = None
            for sub in lines[i + 1:]:
                depth = len(sub) - len(sub.lstrip(" "))
                if depth <= 4:
                    break
                if depth == 6:
                    kind = sub.strip()
                else:
                    out.append((kind, sub.strip()))
    return out


def rva_to_offset(data):
    """The standard rule, from the PE section table: the section whose
    virtual range holds the RVA."""
    lfanew, = struct.unpack_from("<I", data, 0x3C)
    count, = struct.unpack_from("<H", data, lfanew + 6)
    opt, = struct.unpack_from("<H", data, lfanew + 20)
    sections = []
    for i in range(count):
        vsize, va, rawsize, raw = struct.unpack_from("<IIII", data, lfanew + 24 + opt + 40 * i + 8)
        sections.append((va, max(vsize, rawsize), raw))
    return lambda rva: next((rva - va + raw for va, size, raw in sections if va <= rva < va + size), rva)


def plain(entries):
    """wrestool prints the type's name for a named entry of a named type:
    such entries are compared by their count only."""
    return sorted((t, "<named>" if t not in TYPE_NAMES and not t.startswith("Type ")
                   and not n.isdigit() else n) for t, n in entries)


def check_pe(dump, objdump, path):
    name = os.path.basename(path)
    dumped = run([objdump, "-p", path])
    check(f"{name}: exports", run([dump, "--exports", path]).splitlines(), objdump_exports(dumped))
    check(f"{name}: imports", our_imports(dump, path), objdump_imports(dumped))
    theirs = wrestool_resources(path)
    check(f"{name}: resources", plain(our_resources(run([dump, "--tree", path]))), plain(r[:2] for r in theirs))
    if not any(r[0] in IMAGE_EXT for r in theirs):
        return
    data = open(path, "rb").read()
    convert = rva_to_offset(data)
    # The image table holds 1666 cursors and icons; later ones are not written.
    images = sum(1 for r in theirs if r[0] in ("ICON", "CURSOR"))
    with tempfile.TemporaryDirectory() as out:
        run([dump, "--extract", out, path])
        for kind, entry, rva, size, _ in (r for r in theirs if r[0] in IMAGE_EXT):
            file = os.path.join(out, kind, f"{entry}.{IMAGE_EXT[kind]}")
            if kind != "BITMAP" and images > 1666 and not os.path.exists(file):
                continue
            written, offset = open(file, "rb").read(), convert(rva)
            if kind == "BITMAP":
                ours, want = written[14:], data[offset:offset + size]
            else:
                at, = struct.unpack_from("<I", written, 18)
                ours, want = written[at:], data[offset + (4 if kind == "CURSOR" else 0):offset + size]
                if kind == "CURSOR":
                    check(f"{name}: {kind}/{entry} hotspot", written[10:14], data[offset:offset + 4])
            check(f"{name}: {kind}/{entry} bytes", ours, want)
        # icotool lists every image of every icon and cursor file written (a file it cannot read
        # lists none); file(1) names every bitmap a PC bitmap.
        files = sorted(os.path.join(d, f) for d, _, names in os.walk(out) for f in names)
        icons, bitmaps = [f for f in files if f.endswith((".ICO", ".CUR"))], [f for f in files if f.endswith(".BMP")]
        if icons:
            listed = subprocess.run(["icotool", "-l", *icons], capture_output=True, text=True)
            images = sum(struct.unpack_from("<H", open(f, "rb").read(), 4)[0] for f in icons)
            check(f"{name}: icotool -l", (listed.returncode, listed.stdout.count("\n")), (0, images))
        if bitmaps:
            kinds = run(["file", "-b", *bitmaps]).splitlines()
            check(f"{name}: file -b", [k for k in kinds if not k.startswith("PC bitmap")], [])


def xxd_rows(path, mode, start, convert):
    """The rows orvex-dump should print, laid out from xxd's digits."""
    per_row, width = (16, 71) if mode == "hex" else (64, 75)
    digits_of_rows = run(["xxd", "-u", "-p", "-c", str(per_row), "-s", str(start), str(path)]).split()
    show = lambda b: ord(".") if convert and (b < 0x20 or b > 0x7F) else b
    lines = []
    # An empty range still shows one row: its address.
    for i, digits in enumerate(digits_of_rows or [""]):
        row = bytearray(b" " * width)
        row[0:9] = b"%08X:" % ((start + i * per_row) & 0xFFFFFFFF)
        if mode == "hex":
            row[53], row[70] = ord("["), ord("]")
        for j, b in enumerate(bytes.fromhex(digits)):
            if mode == "hex":
                p = 11 + 2 * j + j // 2 + j // 8
                row[p:p + 2] = digits[2 * j:2 * j + 2].encode()
                row[54 + j] = show(b)
            else:
                row[11 + j] = show(b)
        lines.append(bytes(row).rstrip(b" ").decode("latin-1") + "\n")
    return "".join(lines)


def check_hex(dump):
    files = {"every-byte.bin": bytes(range(256)),
             "every-byte-3x-odd.bin": bytes(range(256)) * 3 + b"\x00\x7f\x80",
             "pattern-5000.bin": bytes((i * 131 + 7) & 0xFF for i in range(5000)),
             "one.bin": b"\x0a", "empty.bin": b""}
    with tempfile.TemporaryDirectory() as tmp:
        for name, data in files.items():
            path = Path(tmp) / name
            path.write_bytes(data)
            for mode in ("hex", "char"):
                for convert in (False, True):
                    for start in sorted({0, 1, 0x15, len(data) // 2}):
                        if start and start >= len(data):
                            continue
                        args = ["--" + mode, "--from", "%x" % start] + (["--convert"] if convert else [])
                        check(f"{name} {' '.join(args)}", run([dump] + args + [str(path)]),
                              xxd_rows(path, mode, start, convert))


def check_ttf(dump, path):
    name = os.path.basename(path)
    listing = run(["/usr/bin/python3", "-m", "fontTools.ttx", "-l", path])
    tags = sorted(line.split()[0] for line in listing.splitlines()[3:] if line.strip())
    ours = [line.strip() for line in run([dump, "--tree", path]).splitlines()[1:]]
    check(f"{name}: tables", sorted(ours), tags)
    check(f"{name}: table order", ours, sorted(ours, key=str.lower))


def main():
    every = 1
    if sys.argv[1] == "--every":
        every = int(sys.argv[2])
        del sys.argv[1:3]
    mode, dump = sys.argv[1], sys.argv[2]
    if mode == "hex":
        check_hex(dump)
        print(f"hex rows: {len(failures)} differences")
        return 1 if failures else 0
    objdump, names = (sys.argv[3], sys.argv[4:]) if mode == "pe" else (None, sys.argv[3:])
    files = []
    for f in names:
        if not os.path.isdir(f):
            files.append(f)
            continue
        exts = (".dll", ".exe") if mode == "pe" else (".ttf",)
        for root, _, entries in os.walk(f):
            found = sorted(os.path.join(root, n) for n in entries if n.lower().endswith(exts))
            files += [p for i, p in enumerate(found) if i % every == 0 or os.path.basename(p) in ALWAYS]
    if not files or not all(os.path.exists(f) for f in files):
        print("golden inputs missing: run scripts/fetch-golden.sh")
        return 77
    for path in files:
        check_pe(dump, objdump, path) if mode == "pe" else check_ttf(dump, path)
    print(f"{len(files)} files, {len(failures)} differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
