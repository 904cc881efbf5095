#!/usr/bin/env python3
"""Draws the skin's small images (the check marks) as PNG files beside this script.

Run it again after changing a shape; the PNGs are committed so the build needs no Python.
Each image is drawn at 1x and 2x (name@2x.png) by sampling every pixel 8 x 8 times.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 8


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def stroke(points, width):
    """Coverage test of a polyline of the given stroke width (in 1x pixels)."""
    def inside(x, y):
        return any(distance_to_segment(x, y, *points[i], *points[i + 1]) <= width / 2
                   for i in range(len(points) - 1))
    return inside


def render(size, shape, colour, scale):
    w, h = size[0] * scale, size[1] * scale
    rows = []
    for y in range(h):
        row = bytearray([0])  # filter type: none
        for x in range(w):
            hits = sum(shape((x + (i + 0.5) / SAMPLES) / scale, (y + (j + 0.5) / SAMPLES) / scale)
                       for i in range(SAMPLES) for j in range(SAMPLES))
            row += bytes(colour) + bytes([round(255 * hits / SAMPLES ** 2)])
        rows.append(bytes(row))
    return w, h, b"".join(rows)


def write_png(path, w, h, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(pixels, 9))
                + chunk(b"IEND", b""))


CHECK = stroke([(1.8, 5.2), (4.2, 7.6), (8.4, 2.4)], 1.9)

IMAGES = {
    "check": ((10, 10), CHECK, (255, 255, 255)),
    "check-disabled": ((10, 10), CHECK, (150, 160, 170)),
}

if __name__ == "__main__":
    for name, (size, shape, colour) in IMAGES.items():
        for scale, suffix in ((1, ""), (2, "@2x")):
            write_png(os.path.join(HERE, name + suffix + ".png"), *render(size, shape, colour, scale))
