#!/usr/bin/env python3
"""Writes the small seed files of the skin-file fuzz target into the given folder (those
in fuzz/seeds/skin_file_fuzz came from it): a valid tiny skin, a chain that loops back,
and a truncated file."""
import struct
import sys
from pathlib import Path

HEADER = b"SkinKit_TB\0\0" + struct.pack("<III", 24, 0, 24)


def record(key, kind, data_offset, size, next_offset):
    return key.ljust(64, b"\0") + struct.pack("<BIII", kind, data_offset, size, next_offset)


def tiny_bitmap():
    # 2 x 1 pixels, 24 bits per pixel, rows padded to 4 bytes.
    pixels = b"\xff\x00\xff\x10\x20\x30" + b"\0\0"
    info = struct.pack("<IiiHHIIiiII", 40, 2, 1, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 54)
    return header + info + pixels


def valid_skin():
    picture = tiny_bitmap()
    body = b""
    offset = 24
    entries = [(b"ButtonImage", 0, picture), (b"FormBorderWidthInt", 1, struct.pack("<i", 3)),
               (b"ButtonTransparentBool", 2, b"\1"), (b"Note", 3, b"seed")]
    for key, kind, data in entries:
        data_offset = offset + 77
        next_offset = data_offset + len(data)
        body += record(key, kind, data_offset, len(data), next_offset) + data
        offset = next_offset
    body += record(b"", 0, 0, 0, 0)
    return HEADER + body


def looping_skin():
    return HEADER + record(b"A", 1, 24 + 77 * 2, 4, 101) + record(b"B", 1, 24, 4, 24) + b"\0" * 4


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    valid = valid_skin()
    (folder / "valid.skn").write_bytes(valid)
    (folder / "loop.skn").write_bytes(looping_skin())
    (folder / "truncated.skn").write_bytes(valid[: len(valid) // 2])


if __name__ == "__main__":
    main()
