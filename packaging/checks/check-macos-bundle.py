#!/usr/bin/env python3
"""Checks what the macOS app bundle gets: the Info.plist filled in from its template parses and
holds the bundle's keys, and the icon file written for the bundle is a well-formed .icns."""
import argparse
import plistlib
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def check_plist(path, args, problems):
    text = path.read_text(encoding="utf-8")
    if "@" in text or "${" in text:
        problems.append(f"{path} still holds a placeholder")
    info = plistlib.loads(text.encode("utf-8"))
    expected = {
        "CFBundleIdentifier": args.identifier,
        "CFBundleName": "Tallyfen",
        "CFBundleExecutable": args.executable,
        "CFBundlePackageType": "APPL",
        "CFBundleShortVersionString": args.short_version,
        "CFBundleVersion": args.version,
        "CFBundleIconFile": args.icon_file,
        "NSHighResolutionCapable": True,
    }
    for key, wanted in expected.items():
        if info.get(key) != wanted:
            problems.append(f"{key} is {info.get(key)!r}, not {wanted!r}")


def check_icns(make_icns, icon_dir, problems):
    with tempfile.TemporaryDirectory() as work_dir:
        icns_path = Path(work_dir) / "tallyfen.icns"
        subprocess.run([sys.executable, make_icns, str(icns_path), icon_dir], check=True)
        data = icns_path.read_bytes()
    magic, total = struct.unpack_from(">4sI", data)
    if magic != b"icns" or total != len(data):
        problems.append("the .icns header is wrong")
        return
    offset, types = 8, []
    while offset < len(data):
        icon_type, length = struct.unpack_from(">4sI", data, offset)
        if length <= 8 or not data[offset + 8:offset + length].startswith(PNG_SIGNATURE):
            problems.append(f"the .icns entry {icon_type!r} holds no PNG")
        types.append(icon_type)
        offset += max(length, 8)
    for wanted in [b"icp4", b"icp5", b"ic07", b"ic08"]:
        if wanted not in types:
            problems.append(f"the .icns lacks the {wanted.decode()} image")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ["--plist", "--make-icns", "--icon-dir", "--icon-file", "--executable",
                   "--identifier", "--short-version", "--version"]:
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    problems = []
    check_plist(Path(args.plist), args, problems)
    check_icns(args.make_icns, args.icon_dir, problems)
    for problem in problems:
        print("FAIL:", problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"{args.plist}: parses and holds the bundle keys; the .icns is well formed")


if __name__ == "__main__":
    main()
