#!/usr/bin/env python3
"""Checks a PNG rendered by the browser: not blank, and showing the given colours.

Usage: png_colours.py picture.png '#1f5fbf' '#c8321e' ...
Exits 0 when the picture has more than 2 % non-white pixels and at least 40 pixels close to
each colour given; prints what it found.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG file")
    pos, idat = 8, b""
    width = height = depth = colour = None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunk)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise SystemExit(f"{path}: unsupported PNG (depth {depth}, colour type {colour})")
        elif kind == b"IDAT":
            idat += chunk
        elif kind == b"IEND":
            break
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, i = [], bytearray(stride), 0
    for _ in range(height):
        kind = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = previous[x]
            c = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        previous = line
    return width, height, channels, rows


def main():
    path, colours = sys.argv[1], sys.argv[2:]
    width, height, channels, rows = read_png(path)
    wanted = [tuple(int(c[k:k + 2], 16) for k in (1, 3, 5)) for c in colours]
    near = [0] * len(wanted)
    ink = 0
    for line in rows:
        for x in range(0, width * channels, channels):
            r, g, b = line[x], line[x + 1], line[x + 2]
            if r < 235 or g < 235 or b < 235:
                ink += 1
            for k, (wr, wg, wb) in enumerate(wanted):
                if abs(r - wr) + abs(g - wg) + abs(b - wb) < 60:
                    near[k] += 1
    share = ink / (width * height)
    print(f"{path}: {width}x{height}, {share:.1%} drawn, " +
          ", ".join(f"{c}: {n} px" for c, n in zip(colours, near)))
    if share < 0.02:
        raise SystemExit(f"{path}: the picture is blank")
    for c, n in zip(colours, near):
        if n < 40:
            raise SystemExit(f"{path}: colour {c} not shown")


if __name__ == "__main__":
    main()
