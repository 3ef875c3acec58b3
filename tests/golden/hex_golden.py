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


def xxd_digits(path, per_row, start):
    """One string of upper-case hex digits per row, as xxd writes them."""
    out = subprocess.run(["xxd", "-u", "-p", "-c", str(per_row), "-s", str(start), str(path)],
                         check=True, capture_output=True).stdout.decode()
    return out.split()


def digit_pos(j):
    return 11 + 2 * j + j // 2 + j // 8


def show(b, convert):
    return ord(".") if convert and (b < 0x20 or b > 0x7F) else b


def expected(path, mode, start, convert):
    per_row = 16 if mode == "hex" else 64
    width = 71 if mode == "hex" else 75
    lines = []
    # An empty range still shows one row: its address.
    for i, digits in enumerate(xxd_digits(path, per_row, start) or [""]):
        chunk = bytes.fromhex(digits)
        row = bytearray(b" " * width)
        row[0:9] = b"%08X:" % ((start + i * per_row) & 0xFFFFFFFF)
        if mode == "hex":
            row[53] = ord("[")
            row[70] = ord("]")
            for j, b in enumerate(chunk):
                p = digit_pos(j)
                row[p:p + 2] = digits[2 * j:2 * j + 2].encode()
                row[54 + j] = show(b, convert)
        else:
            for j, b in enumerate(chunk):
                row[11 + j] = show(b, convert)
        lines.append(bytes(row).rstrip(b" ") + b"\n")
    return b"".join(lines)


def main():
    dump = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        files = {
            "every-byte.bin": bytes(range(256)),
            "every-byte-3x-odd.bin": bytes(range(256)) * 3 + b"\x00\x7f\x80",
            "pattern-5000.bin": bytes((i * 131 + 7) & 0xFF for i in range(5000)),
            "one.bin": b"\x0a",
            "empty.bin": b"",
        }
        for name, data in files.items():
            (tmp / name).write_bytes(data)
        for name, data in files.items():
            path = tmp / name
            for mode in ("hex", "char"):
                for convert in (False, True):
                    for start in sorted({0, 1, 0x15, len(data) // 2}):
                        if start and start >= len(data):
                            continue
                        args = [dump, "--" + mode, "--from", "%x" % start]
                        if convert:
                            args.append("--convert")
                        got = subprocess.run(args + [str(path)], check=True,
                                             capture_output=True).stdout
                        want = expected(path, mode, start, convert)
                        if got != want:
                            failures += 1
                            print("MISMATCH %s %s" % (name, " ".join(args[1:])))
                            for g, w in zip(got.splitlines(), want.splitlines()):
                                if g != w:
                                    print("  got  %r\n  want %r" % (g, w))
                                    break
    print("hex golden: %d mismatches" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
