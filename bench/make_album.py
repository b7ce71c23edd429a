#!/usr/bin/env python3
"""make_album.py FOLDER COUNT: COUNT picture databases, half 160 x 140 and
half 320 x 280, as a handheld's backup folder holds them."""
import os
import struct
import sys


def database(name, pixels):
    header = name.encode("ascii").ljust(32, b"\0") + bytes(44) + struct.pack(">H", 1)
    return header + bytes(8) + bytes(2) + pixels


def main():
    folder, count = sys.argv[1], int(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        width, height = (320, 280) if i % 2 else (160, 140)
        pixels = bytes((x * 7 + i) % 230 for x in range(width)) * height
        with open(os.path.join(folder, "QuilloryPic%04d.pdb" % i), "wb") as f:
            f.write(database("QuilloryPic%04d" % i, pixels))


if __name__ == "__main__":
    main()
