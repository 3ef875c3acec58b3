#!/usr/bin/env python3
"""Checks orvex-dump --hex and --char against rows laid out from xxd's digits.

xxd gives the hexadecimal digits of every byte independently of our code;
this script places them where a hex or char row shows them and compares the
result with orvex-dump byte for byte. Files: every byte value, odd lengths,
starts that are not on a row boundary.
"""
import subprocess
import sys
import tempfile
from pathlib import Path


def expected(path, mode, start, convert):
    per_row, width = (16, 71) if mode == "hex" else (64, 75)
    digits_of_rows = subprocess.run(["xxd", "-u", "-p", "-c", str(per_row), "-s", str(start), str(path)],
                                    check=True, capture_output=True).stdout.decode().split()
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
        lines.append(bytes(row).rstrip(b" ") + b"\n")
    return b"".join(lines)


def main():
    dump, failures = sys.argv[1], 0
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
                        args = [dump, "--" + mode, "--from", "%x" % start] + (["--convert"] if convert else [])
                        got = subprocess.run(args + [str(path)], check=True, capture_output=True).stdout
                        want = expected(path, mode, start, convert)
                        if got != want:
                            failures += 1
                            print("MISMATCH %s %s" % (name, " ".join(args[1:])))
                            g, w = next(((g, w) for g, w in zip(got.splitlines() + [b""], want.splitlines() + [b""])
                                        if g != w), (got[-80:], want[-80:]))
                            print("  got  %r\n  want %r" % (g, w))
    print("hex golden: %d mismatches" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
