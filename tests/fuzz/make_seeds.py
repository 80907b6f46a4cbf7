#!/usr/bin/env python3
"""Writes the small seed inputs of the fuzz targets into tests/fuzz/corpus/<target>/."""
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(target, name, data):
    with open(os.path.join(here, target, name), "wb") as f:
        f.write(data)


# Map files: cell records of 16 bytes, repeated by the target to a whole map.
sea = bytes(16)
put("map", "sea-cell", sea)
put("map", "land-cell", bytes([3, 1, 7, 2, 5, 0, 0, 0, 9, 1, 0, 0, 0, 0, 0, 0]))
put("map", "mixed-cells", sea + bytes([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16]) + bytes([255] * 16))
put("map", "odd-length", bytes(range(37)))


def bmp(width, height, bits, pixels=None, colours=None, truncate=None, compression=0):
    colours = (1 << bits) if bits <= 8 and colours is None else (colours or 0)
    row = ((width * bits + 31) // 32) * 4
    image = pixels if pixels is not None else bytes((x + y) % 256 for y in range(height) for x in range(row))
    offset = 14 + 40 + 4 * colours
    header = b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(image), 2835, 2835, colours, 0)
    palette = b"".join(struct.pack("<BBBB", i, 255 - i, (i * 7) % 256, 0) for i in range(colours))
    data = header + info + palette + image
    return data[:truncate] if truncate else data


put("bmp", "indexed-8x8", bmp(8, 8, 8))
put("bmp", "indexed-66x34", bmp(66, 34, 8))
put("bmp", "indexed-1x1", bmp(1, 1, 8))
put("bmp", "indexed-top-down", bmp(5, -3, 8))
put("bmp", "four-bit", bmp(7, 5, 4))
put("bmp", "one-bit", bmp(9, 2, 1))
put("bmp", "true-colour", bmp(3, 3, 24))
put("bmp", "truncated", bmp(16, 16, 8, truncate=700))
# Run-length coded: whole, and with a delta that skips pixels.
put("bmp", "rle8", bmp(8, 4, 8, pixels=bytes([8, 7, 0, 0, 8, 8, 0, 0, 8, 9, 0, 0, 8, 10, 0, 1]), compression=1))
put("bmp", "rle8-delta", bmp(8, 4, 8, pixels=bytes([4, 7, 0, 2, 2, 0, 2, 7, 0, 0, 8, 8, 0, 1]), compression=1))


def chunk(kind, body):
    return kind + struct.pack(">I", len(body)) + body


def midi(fmt, tracks, division=96):
    return chunk(b"MThd", struct.pack(">HHH", fmt, len(tracks), division)) + b"".join(chunk(b"MTrk", t) for t in tracks)


end = b"\x00\xff\x2f\x00"
notes = b"\x00\xff\x51\x03\x07\xa1\x20\x00\xc0\x00\x00\x90\x3c\x64\x60\x80\x3c\x00\x00\x90\x40\x50\x60\x40\x00" + end
drums = b"\x00\x99\x24\x70\x30\x89\x24\x00\x00\xb0\x07\x64\x00\xe0\x00\x40" + end
put("midi", "format0", midi(0, [notes]))
put("midi", "format1", midi(1, [b"\x00\xff\x03\x04Song" + end, notes, drums]))
put("midi", "running-status", midi(0, [b"\x00\x90\x3c\x64\x30\x3e\x64\x30\x3c\x00\x00\x3e\x00" + end]))
put("midi", "sysex", midi(0, [b"\x00\xf0\x05\x7e\x7f\x09\x01\xf7" + end]))
put("midi", "empty-track", midi(0, [end]))
