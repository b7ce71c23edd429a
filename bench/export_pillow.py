#!/usr/bin/env python3
"""export_pillow.py FOLDER DEST [--png]: the peer for qalbum export, written
the straightforward way with Pillow. For every QuilloryPic*.pdb of FOLDER in
name order: check the name, find the pixel bytes, build the picture on the
palette, take the lowest free Pic_<n>.bmp of DEST by testing n = 1, 2, ...
and write the picture there as an 8-bit BMP. With --png: Pic_<n>.png, the
smallest PNG Pillow makes (optimize=True)."""
import glob
import os
import struct
import sys

from PIL import Image


def level(i):
    return (0xFF, 0xCF, 0x9A, 0x65, 0x30, 0x00)[i]


def palette():
    colours = []
    for i in range(215):
        h, r = i // 108, (i % 108) // 18
        b, g = 3 * h + (i % 18) // 6, i % 6
        colours += [level(r), level(g), level(b)]
    for grey in (0x10, 0x20, 0x45, 0x55, 0x75, 0x8A, 0xAA, 0xBA, 0xDF, 0xEF):
        colours += [grey] * 3
    colours += [0xC3, 0xC3, 0xC3, 0x82, 0, 0, 0x82, 0, 0x82, 0, 0x82, 0, 0, 0x82, 0x82]
    colours += [0] * (3 * 26)
    return colours


def main():
    folder, dest = sys.argv[1], sys.argv[2]
    png = "--png" in sys.argv[3:]
    extension = "png" if png else "bmp"
    os.makedirs(dest, exist_ok=True)
    colours = palette()
    for path in sorted(glob.glob(os.path.join(folder, "QuilloryPic*.pdb"))):
        with open(path, "rb") as f:
            data = f.read()
        if data[:11] != b"QuilloryPic":
            print("Invalid database file!", file=sys.stderr)
            return 1
        (count,) = struct.unpack(">H", data[76:78])
        pixels = data[80 + 8 * count:]
        width, height = (320, 280) if len(data) > 22500 else (160, 140)
        pixels = pixels[: width * height].ljust(width * height, b"\0")
        image = Image.frombytes("P", (width, height), pixels)
        image.putpalette(colours)
        n = 1
        while os.path.exists(os.path.join(dest, "Pic_%d.%s" % (n, extension))):
            n += 1
        if n > 5000:
            print("Your Quillory album is full! Please delete some pictures.", file=sys.stderr)
            return 1
        if png:
            image.save(os.path.join(dest, "Pic_%d.png" % n), "PNG", optimize=True)
        else:
            image.save(os.path.join(dest, "Pic_%d.bmp" % n), "BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main())
