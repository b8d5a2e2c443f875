#!/usr/bin/env python3
"""Writes stored-program images for the benchmarks.

    make-images.py full FOLDER COUNT   COUNT full images: 100 good records, 786,432 bytes each
    make-images.py crafted FOLDER      the costliest images for a salvage search: memories full of
                                       candidates that each need a checksum, and none verifies,
                                       loose or inside a chain of empty records

Only the Python standard library is used.
"""

import struct
import sys
import zlib
from pathlib import Path

MEMORY = 786432
HEADER = 158


def record(name, state, body):
    header = bytearray(HEADER)
    units = name.encode("utf-16-be")
    header[6:6 + len(units)] = units
    struct.pack_into(">I", header, 126, state)
    struct.pack_into(">II", header, 150, len(body), 0)
    data = bytes(header) + body + (b"\0" if len(body) % 2 else b"")
    return struct.pack(">I", zlib.crc32(data[4:]) & 0xFFFFFFFF) + data[4:]


def full_image(seed):
    """84 records of 7,864 bytes and 16 of 7,866: the memory to its last byte."""
    records = []
    for i in range(100):
        size = 7864 if i < 84 else 7866
        body = bytes((seed + i + k * 7) & 0xFF for k in range(size - HEADER))
        records.append(record("JOB %03d" % i, 1 + i % 4, body))
    image = b"".join(records)
    assert len(image) == MEMORY
    return image


def dense_small():
    """A state of 1 every fourth byte, lengths of 1: 196,000 candidates of 160 bytes."""
    return bytes([0, 0, 0, 1]) * (MEMORY // 4)


def sparse_large():
    """Every eighth byte a state of 1 with a second length of 0x10000: about 90,000 candidates
    of 65,696 bytes each, which from scratch would cost 6 GB of checksum."""
    period = bytearray(8)
    period[1] = 1                       # the state's last byte and the first length's last byte
    period[2:6] = struct.pack(">I", 0x10000)  # the second length
    pattern = bytes(period) * (MEMORY // 8)
    # Shift so that the state of each candidate lands on the byte holding 1.
    shift = (126 + 3 - 1) % 8
    return pattern[8 - shift:] + pattern[:8 - shift]


def empty_chain():
    """Empty records of 1,000 bytes back to back over the whole memory, each body a run of
    candidates of 160 bytes that fail their checksum: nothing vouches for an empty record's
    length, so each span is searched, once."""
    body = bytes([0, 0, 0, 1]) * 210 + bytes(2)
    chain = record("", 0, body) * (MEMORY // 1000)
    return chain + b"\xff" * (MEMORY - len(chain))


def main():
    kind, folder = sys.argv[1], Path(sys.argv[2])
    folder.mkdir(parents=True, exist_ok=True)
    if kind == "full":
        for i in range(int(sys.argv[3])):
            (folder / ("full%02d.pgs" % i)).write_bytes(full_image(i))
    elif kind == "crafted":
        (folder / "dense-small.pgs").write_bytes(dense_small())
        (folder / "sparse-large.pgs").write_bytes(sparse_large())
        (folder / "empty-chain.pgs").write_bytes(empty_chain())
    else:
        sys.exit("usage: make-images.py full FOLDER COUNT | crafted FOLDER")


if __name__ == "__main__":
    main()
