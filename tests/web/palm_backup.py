"""Picture databases as a handheld's backup holds them, written for the web
album's tests: a 78-byte Palm database header (dates counted from 1904), one
record entry, a 2-byte gap, then one palette index per pixel."""
import os
import struct

FROM_1904 = 2082844800  # seconds from 1904-01-01 to 1970-01-01
SMALL, LARGE = (160, 140), (320, 280)


def database(name, created, modified, size=SMALL, colour=35):
    """The bytes of a database named `name` (bytes), with its dates in seconds
    since 1970 (0: not set) and a picture of one colour (a palette index)."""
    width, height = size
    header = name.ljust(32, b"\0")[:32] + bytes(4)
    header += struct.pack(">III", created + FROM_1904 if created else 0, modified + FROM_1904 if modified else 0, 0)
    header += bytes(12) + b"PictQlry" + bytes(8) + struct.pack(">H", 1)
    return header + bytes(8) + bytes(2) + bytes([colour]) * (width * height)


def header_dates(path):
    """The creation and modification dates a database's header holds, in
    seconds since 1970, read from the file."""
    with open(path, "rb") as f:
        head = f.read(44)
    created, modified = struct.unpack(">II", head[36:44])
    return created - FROM_1904, modified - FROM_1904


def write(folder, file_name, data):
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, file_name)
    with open(path, "wb") as f:
        f.write(data)
    return path
