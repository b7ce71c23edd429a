#!/usr/bin/env python3
"""png_dates.py QALBUM: every PNG file qalbum writes (convert, export --png,
export-all --png, album), read back with Pillow, records its database's dates
as the header holds them: the modification date as the tIME chunk, the creation
date as "Creation Time", the picture's name as "Title", and from export-all and
the album the child's name as "Author"; the file's time is the modification
date. Exit status 0 when all hold, 1 otherwise, 77 when Pillow is missing."""
import datetime
import email.utils
import glob
import os
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import palm_backup  # noqa: E402

try:
    from PIL import Image, PngImagePlugin
except ImportError:
    print("Pillow (python3-pil) is missing: skipped")
    sys.exit(77)

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


def time_chunk(path):
    """The tIME chunk's fields, read with Pillow's chunk reader (CRC checked)."""
    with open(path, "rb") as f:
        f.read(8)
        chunks = PngImagePlugin.ChunkStream(f)
        while True:
            kind, pos, length = chunks.read()
            data = f.read(length)
            chunks.crc(kind, data)
            if kind == b"tIME":
                return struct.unpack(">HBBBBB", data)
            if kind == b"IEND":
                return None


def check_png(path, database, title, author):
    created, modified = palm_backup.header_dates(database)
    with Image.open(path) as image:
        text = dict(image.text)
        check(image.mode == "P", f"{path}: palettised")
    when = datetime.datetime.fromtimestamp(modified, datetime.timezone.utc)
    check(time_chunk(path) == (when.year, when.month, when.day, when.hour, when.minute, when.second),
          f"{path}: tIME is the modification date {when}")
    check(text.get("Creation Time") == email.utils.formatdate(created, usegmt=True),
          f"{path}: Creation Time {text.get('Creation Time')!r} is the creation date")
    check(text.get("Title") == title, f"{path}: Title {text.get('Title')!r}")
    check(text.get("Author") == author, f"{path}: Author {text.get('Author')!r}, expected {author!r}")
    check(int(os.stat(path).st_mtime) == modified, f"{path}: the file's time is the modification date")


def main():
    qalbum = sys.argv[1]
    with tempfile.TemporaryDirectory() as work:
        backup = os.path.join(work, "Palm", "Zoë", "Backup")
        # Names from inside the file are Windows-1252: "é" is Latin-1 too, "€" is not.
        pictures = [
            (b"QuilloryPicCaf\xe9", "QuilloryPicCafé", 981173106, 1012345678),
            (b"QuilloryPic\x80uro", "QuilloryPic€uro", 1100000000, 1100003600),
        ]
        databases = []
        for raw, title, created, modified in pictures:
            path = palm_backup.write(backup, f"QuilloryPic{len(databases)}.pdb",
                                     palm_backup.database(raw, created, modified))
            databases.append((path, title))

        runs = {
            "convert": [[qalbum, "convert", path, os.path.join(work, f"c{i}.png")]
                        for i, (path, _) in enumerate(databases)],
            "export": [[qalbum, "export", "--png", backup, os.path.join(work, "e")]],
            "export-all": [[qalbum, "export-all", "--png", "--palm-folder", os.path.join(work, "Palm"),
                            os.path.join(work, "ea")]],
            "album": [[qalbum, "album", "--palm-folder", os.path.join(work, "Palm"), os.path.join(work, "a")]],
        }
        for name, commands in runs.items():
            for command in commands:
                done = subprocess.run(command, capture_output=True, text=True)
                check(done.returncode == 0, f"{name}: {done.stderr}")

        written = {
            "convert": [os.path.join(work, f"c{i}.png") for i in range(2)],
            "export": [os.path.join(work, "e", f"Pic_{i}.png") for i in (1, 2)],
            "export-all": [os.path.join(work, "ea", "Zoë", f"Pic_{i}.png") for i in (1, 2)],
            "album": sorted(glob.glob(os.path.join(work, "a", "Zoë", "*.png"))),
        }
        check(len(written["album"]) == 2, "the album holds both pictures")
        for name, files in written.items():
            author = "Zoë" if name in ("export-all", "album") else None
            for (database, title), png in zip(databases, files):
                check_png(png, database, title, author)

    print(f"PNG dates: {'ok' if not failures else str(len(failures)) + ' failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
