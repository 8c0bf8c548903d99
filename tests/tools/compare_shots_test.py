#!/usr/bin/env python3
"""Tests of tools/bench/compare_shots.py: the percentages it prints and when it fails.

    compare_shots_test.py PATH/TO/compare_shots.py
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

SCRIPT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../../tools/bench/compare_shots.py")


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def filtered(line, prev, bpp, kind):
    """A row encoded with PNG filter `kind` (0 none, 1 sub, 2 up, 3 average, 4 Paeth)."""
    out = bytearray()
    for i, v in enumerate(line):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        if kind == 0:
            pred = 0
        elif kind == 1:
            pred = a
        elif kind == 2:
            pred = b
        elif kind == 3:
            pred = (a + b) >> 1
        else:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            pred = a if pa <= pb and pa <= pc else b if pb <= pc else c
        out.append((v - pred) & 255)
    return bytes(out)


def write_png(path, width, height, pixels, colour=2, filters=(0,)):
    """pixels: a function (x, y) -> tuple of channel values; rows cycle through `filters`."""
    bpp = {0: 1, 2: 3, 6: 4}[colour]
    raw, prev = bytearray(), bytes(width * bpp)
    for y in range(height):
        line = bytes(v for x in range(width) for v in pixels(x, y))
        kind = filters[y % len(filters)]
        raw.append(kind)
        raw += filtered(line, prev, bpp, kind)
        prev = line
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def run(before, after, *extra):
    r = subprocess.run([sys.executable, SCRIPT, before, after, *extra], capture_output=True, text=True)
    return r.returncode, r.stdout + r.stderr


failures = []


def check(cond, what, output=""):
    if not cond:
        failures.append(what)
        print(f"FAILED: {what}\n{output}")


def picture(x, y):
    return ((x * 7 + y * 3) % 256, (x * y) % 256, (200 + x - y) % 256)


with tempfile.TemporaryDirectory() as tmp:
    before, after = os.path.join(tmp, "before"), os.path.join(tmp, "after")
    os.mkdir(before)
    os.mkdir(after)
    W, H = 40, 30
    # The same picture written with every row filter reads back the same: 0 %.
    write_png(os.path.join(before, "level01_f00000.png"), W, H, picture, filters=(0,))
    write_png(os.path.join(after, "level01_f00000.png"), W, H, picture, filters=(1, 2, 3, 4))
    code, out = run(before, after)
    check(code == 0 and "level01_f00000.png: 0.000 %" in out, "identical pictures through all filters give 0 %", out)

    # Every channel of every pixel 3 apart: 3 / 255 = 1.176 %, under the limit.
    write_png(os.path.join(before, "level01_f00150.png"), W, H, lambda x, y: (100, 100, 100))
    write_png(os.path.join(after, "level01_f00150.png"), W, H, lambda x, y: (103, 97, 103), filters=(4,))
    code, out = run(before, after)
    check(code == 0 and "level01_f00150.png: 1.176 %" in out and "largest channel difference 3" in out,
          "a difference of 3 in every channel is 1.176 % and passes", out)

    # A tenth of the pixels wholly changed (255 in every channel): 10 %, which fails.
    write_png(os.path.join(before, "level10_f00000.png"), W, H, lambda x, y: (0, 0, 0))
    write_png(os.path.join(after, "level10_f00000.png"), W, H, lambda x, y: (255, 255, 255) if x < 4 else (0, 0, 0))
    code, out = run(before, after)
    check(code == 1 and "level10_f00000.png: 10.000 %" in out and "FAIL" in out, "10 % fails", out)
    # ... but passes under a limit above it.
    code, out = run(before, after, "--limit", "11")
    check(code == 0, "--limit raises the bar", out)
    os.remove(os.path.join(before, "level10_f00000.png"))
    os.remove(os.path.join(after, "level10_f00000.png"))

    # Exactly at the limit fails (the limit is "under 2 %").
    # One column in ten 51 apart: 51 / 10 / 255 = 2 %.
    write_png(os.path.join(before, "level05_f00000.png"), 10, 10, lambda x, y: (10, 10, 10))
    write_png(os.path.join(after, "level05_f00000.png"), 10, 10, lambda x, y: (10, 10, 10) if x else (61, 61, 61))
    code, out = run(before, after)
    check(code == 1 and "level05_f00000.png: 2.000 %" in out, "a shot at exactly 2 % fails", out)
    os.remove(os.path.join(after, "level05_f00000.png"))

    # RGBA against RGB: alpha is not compared.
    write_png(os.path.join(after, "level05_f00000.png"), 10, 10, lambda x, y: (10, 10, 10, 0), colour=6)
    code, out = run(before, after)
    check(code == 0 and "level05_f00000.png: 0.000 %" in out, "alpha is left out", out)

    # A shot in one folder only is listed and does not fail the run on its own.
    write_png(os.path.join(after, "level01_f00300.png"), W, H, picture)
    code, out = run(before, after)
    check(code == 0 and "level01_f00300.png: only in" in out, "a shot of one side only is listed", out)

    # Different sizes fail.
    write_png(os.path.join(after, "level01_f00000.png"), W, H + 1, picture)
    code, out = run(before, after)
    check(code == 1 and "sizes differ" in out, "pictures of different sizes fail", out)

    # Not a PNG: exit 2; folders without a common shot: exit 1.
    with open(os.path.join(after, "level01_f00000.png"), "wb") as f:
        f.write(b"not a picture")
    code, out = run(before, after)
    check(code == 2, "a file that is not a PNG is an error", out)
    empty = os.path.join(tmp, "empty")
    os.mkdir(empty)
    code, out = run(before, empty)
    check(code == 1 and "no shot in both folders" in out, "no common shot fails", out)

print("compare_shots: %d failure(s)" % len(failures))
sys.exit(1 if failures else 0)
