#!/usr/bin/env python3
"""Zips files the same way every time: entries in name order, each dated EPOCH (seconds since
1970, SOURCE_DATE_EPOCH), with fixed permissions and no owner, whatever the files' own times and
modes or the umask.

    reproducible-zip.py OUTPUT.zip EPOCH FOLDER [ENTRY...]

Each ENTRY is a file or folder inside FOLDER, named as the zip names it; none means all of FOLDER.
"""

import os
import sys
import time
import zipfile



def entries(folder, names):
    for name in sorted(names):
        path = os.path.join(folder, name)
        if os.path.isdir(path):
            yield name + "/", None
            yield from entries(folder, [os.path.join(name, child) for child in os.listdir(path)])
        else:
            yield name, path


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    output, epoch, folder, *names = sys.argv[1:]
    # A zip cannot date an entry before 1980.
    date = max(time.gmtime(int(epoch))[:6], (1980, 1, 1, 0, 0, 0))
    names = names or os.listdir(folder)
    with zipfile.ZipFile(output + ".part", "w") as archive:
        for name, path in entries(folder, names):
            info = zipfile.ZipInfo(name, date_time=date)
            info.create_system = 3  # Unix, so that the modes below are read
            if path is None:
                info.external_attr = (0o40755 << 16) | 0x10
                archive.writestr(info, b"")
            else:
                info.external_attr = 0o100644 << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as content:
                    archive.writestr(info, content.read(), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
