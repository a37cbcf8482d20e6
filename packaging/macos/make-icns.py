#!/usr/bin/env python3
"""Writes the macOS icon file (.icns) of the app bundle from the PNG icons.

Usage: make-icns.py OUTPUT.icns ICON_DIR
ICON_DIR holds tallyfen-<size>.png. Each image is stored as PNG data under the icon type that
macOS reads for that pixel size, at 1x and, where one exists, at 2x.
"""
import struct
import sys
from pathlib import Path

# (icon type, pixel size of the PNG stored under it)
ICON_TYPES = [
    (b"icp4", 16),
    (b"icp5", 32),
    (b"icp6", 64),
    (b"ic07", 128),
    (b"ic08", 256),
    (b"ic11", 32),   # 16 points at 2x
    (b"ic12", 64),   # 32 points at 2x
    (b"ic13", 256),  # 128 points at 2x
]


def icns_bytes(icon_dir: Path) -> bytes:
    entries = b""
    for icon_type, size in ICON_TYPES:
        png = (icon_dir / f"tallyfen-{size}.png").read_bytes()
        entries += icon_type + struct.pack(">I", 8 + len(png)) + png
    return b"icns" + struct.pack(">I", 8 + len(entries)) + entries


def main() -> None:
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[2])
    Path(sys.argv[1]).write_bytes(icns_bytes(Path(sys.argv[2])))


if __name__ == "__main__":
    main()
