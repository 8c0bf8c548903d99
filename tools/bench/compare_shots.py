#!/usr/bin/env python3
"""compare_shots.py: two folders of "gw-bench flight --shots" frames compared picture by picture.

    compare_shots.py BEFORE_DIR AFTER_DIR [--limit PERCENT]

For every PNG present in both folders (by name, e.g. level01_f00150.png) it prints the mean
absolute difference of the two pictures over all pixels and colour channels, in per cent of the
full range (255), and the largest single channel difference. It fails (exit 1) when one shot
differs by the limit (2 %) or more, when the two pictures differ in size, or when the folders
have no shot in common; shots found in one folder only are listed and do not count. Exit 2 on
bad arguments or a file that is not a PNG it can read.

Standard library only: the PNG reader takes 8-bit greyscale, RGB, grey-alpha and RGBA pictures,
non-interlaced, with any of the five row filters; alpha is left out of the comparison.
"""
import os
import struct
import sys
import zlib

CHANNELS = {0: 1, 2: 3, 4: 2, 6: 4}  # PNG colour type -> channels per pixel
COLOUR_CHANNELS = {0: 1, 2: 3, 4: 1, 6: 3}  # of those, the ones compared (no alpha)


class PngError(Exception):
    pass


def read_png(path):
    """Returns (width, height, colour channels, bytes per pixel, rows as bytes)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise PngError(f"{path}: not a PNG")
    pos, header, idat = 8, None, []
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise PngError(f"{path}: cut short")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body[:13])
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None or not idat:
        raise PngError(f"{path}: no header or no picture data")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise PngError(f"{path}: only 8-bit, non-interlaced grey, RGB, grey-alpha or RGBA is read")
    if width == 0 or height == 0 or width > 1 << 15 or height > 1 << 15:
        raise PngError(f"{path}: size {width} x {height} is out of range")
    bpp = CHANNELS[colour]
    stride = width * bpp
    try:
        raw = zlib.decompress(b"".join(idat))
    except zlib.error as e:
        raise PngError(f"{path}: {e}")
    if len(raw) < (stride + 1) * height:
        raise PngError(f"{path}: picture data cut short")
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(bpp, stride):
                line[i] = (line[i] + line[i - bpp]) & 255
        elif kind == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, prev))
        elif kind == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                a = line[i - bpp] if i >= bpp else 0
                b = prev[i]
                c = prev[i - bpp] if i >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else b if pb <= pc else c
                line[i] = (line[i] + pred) & 255
        elif kind != 0:
            raise PngError(f"{path}: row filter {kind} is unknown")
        rows.append(bytes(line))
        prev = line
    return width, height, COLOUR_CHANNELS[colour], bpp, rows


def colour_bytes(rows, colours, bpp):
    """The colour channels of every pixel, alpha dropped, as one bytes object."""
    joined = b"".join(rows)
    if colours == bpp:
        return joined
    return bytes(b for i, b in enumerate(joined) if i % bpp < colours)


def difference(before_path, after_path):
    """(mean absolute difference in % of 255, largest channel difference), or None on a size mismatch."""
    wa, ha, ca, ba, ra = read_png(before_path)
    wb, hb, cb, bb, rb = read_png(after_path)
    if (wa, ha) != (wb, hb):
        return None
    a = colour_bytes(ra, ca, ba)
    b = colour_bytes(rb, cb, bb)
    if ca != cb:
        # grey against colour: spread the grey picture's channel over three
        if ca == 1:
            a = bytes(v for v in a for _ in range(3))
        else:
            b = bytes(v for v in b for _ in range(3))
    total = 0
    largest = 0
    for x, y in zip(a, b):
        d = x - y if x > y else y - x
        total += d
        if d > largest:
            largest = d
    return 100.0 * total / (255.0 * len(a)), largest


def main(argv):
    args, limit = [], 2.0
    i = 1
    while i < len(argv):
        if argv[i] == "--limit" and i + 1 < len(argv):
            try:
                limit = float(argv[i + 1])
            except ValueError:
                print(f"compare_shots: --limit {argv[i + 1]} is not a number", file=sys.stderr)
                return 2
            i += 2
        else:
            args.append(argv[i])
            i += 1
    if len(args) != 2 or not all(os.path.isdir(a) for a in args):
        print("usage: compare_shots.py BEFORE_DIR AFTER_DIR [--limit PERCENT]", file=sys.stderr)
        return 2
    before = {n for n in os.listdir(args[0]) if n.endswith(".png")}
    after = {n for n in os.listdir(args[1]) if n.endswith(".png")}
    common = sorted(before & after)
    for name in sorted(before - after):
        print(f"{name}: only in {args[0]}")
    for name in sorted(after - before):
        print(f"{name}: only in {args[1]}")
    if not common:
        print("compare_shots: no shot in both folders", file=sys.stderr)
        return 1
    failed, worst = 0, 0.0
    try:
        for name in common:
            result = difference(os.path.join(args[0], name), os.path.join(args[1], name))
            if result is None:
                print(f"{name}: sizes differ  FAIL")
                failed += 1
                continue
            mean, largest = result
            worst = max(worst, mean)
            bad = mean >= limit
            failed += bad
            print(f"{name}: {mean:.3f} %  (largest channel difference {largest}){'  FAIL' if bad else ''}")
    except (OSError, PngError) as e:
        print(f"compare_shots: {e}", file=sys.stderr)
        return 2
    print(f"{len(common)} shots compared, largest mean difference {worst:.3f} %, "
          f"{failed} at or over {limit:g} %")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
