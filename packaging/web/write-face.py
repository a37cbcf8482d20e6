#!/usr/bin/python3
"""Writes a face of the web page: the characters given, out of one of Debian's stand-in faces, as
WOFF2 (Debian's python3-fonttools and python3-brotli). A subset is a modified face, and the
licences of the faces ask a modified one to go by another name: it is named anew, its copyright
and licence notices kept.

    write-face.py SOURCE OUTPUT.woff2 "NEW NAME" UNICODES

UNICODES as pyftsubset reads them: "20-7E,A0,202F". The same source gives the same bytes.
"""

import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# The name table's family, full name, PostScript name and typographic family.
FAMILY, UNIQUE, FULL, POSTSCRIPT, TYPOGRAPHIC_FAMILY = 1, 3, 4, 6, 16


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    source, output, name, unicodes = sys.argv[1:]
    options = subset.Options()
    options.flavor = "woff2"
    options.desubroutinize = True
    # Every name, the licence and its address among them.
    options.name_IDs = ["*"]
    # FontForge's time stamps, of no use to a browser.
    options.drop_tables += ["FFTM"]
    # The face's own time stamp stays, so that a build of any day gives the same file.
    options.recalc_timestamp = False
    face = TTFont(source, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=subset.parse_unicodes(unicodes))
    subsetter.subset(face)

    names = face["name"]
    style = names.getDebugName(2) or "Regular"
    for record in list(names.names):
        if record.nameID in (FAMILY, TYPOGRAPHIC_FAMILY):
            record.string = name
        elif record.nameID in (UNIQUE, FULL):
            record.string = f"{name} {style}"
        elif record.nameID == POSTSCRIPT:
            record.string = f"{name}-{style}".replace(" ", "")
    if "CFF " in face:
        face["CFF "].cff.fontNames = [f"{name}-{style}".replace(" ", "")]
    subset.save_font(face, output, options)


if __name__ == "__main__":
    main()
