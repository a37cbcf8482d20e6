#!/usr/bin/env python3
"""Compiles the Windows resource script with MinGW's windres and checks what it carries:
the version resource (numbers, strings, language) and every image of the program icon."""
import argparse
import struct
import subprocess
import sys
from pathlib import Path

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
LANG_ENGLISH_US = 0x0409
CODEPAGE_UNICODE = 1200
FIXED_FILE_INFO_SIGNATURE = 0xFEEF04BD


def read_id(data, offset):
    """A resource type or name: an ordinal (0xFFFF, number) or a zero-terminated UTF-16 name."""
    if struct.unpack_from("<H", data, offset)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    end = offset
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def align4(offset):
    return (offset + 3) & ~3


def read_res(data):
    """The entries of a .res file as {(type, name, language): bytes}."""
    entries = {}
    offset = 0
    while offset < len(data):
        data_size, header_size = struct.unpack_from("<II", data, offset)
        res_type, cursor = read_id(data, offset + 8)
        name, cursor = read_id(data, cursor)
        cursor = align4(cursor)
        language = struct.unpack_from("<H", data, cursor + 6)[0]
        body = offset + header_size
        if data_size or res_type or name:
            entries[(res_type, name, language)] = data[body:body + data_size]
        offset = align4(body + data_size)
    return entries


def read_version_node(data, offset):
    """One node of the version resource: (key, value, children)."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, offset)
    key, cursor = read_id(data, offset + 6)
    cursor = align4(cursor)
    if value_type == 1:
        value = data[cursor:cursor + 2 * value_length].decode("utf-16-le").rstrip("\0")
        cursor += 2 * value_length
    else:
        value = data[cursor:cursor + value_length]
        cursor += value_length
    children = []
    end = offset + length
    cursor = align4(cursor)
    while cursor < end:
        child = read_version_node(data, cursor)
        children.append(child[:3])
        cursor = align4(child[3])
    return key, value, children, end


def version_words(text):
    parts = [int(part) for part in text.split(".")]
    return (parts[0] << 16 | parts[1], parts[2] << 16 | parts[3])


def check_version(entries, file_version, product_version, problems):
    versions = [key for key in entries if key[0] == RT_VERSION]
    if [key[2] for key in versions] != [LANG_ENGLISH_US]:
        problems.append(f"expected one version resource in English (United States), found {versions}")
        return
    key, fixed, children, _ = read_version_node(entries[versions[0]], 0)
    if key != "VS_VERSION_INFO":
        problems.append(f"the version resource starts with {key!r}")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != FIXED_FILE_INFO_SIGNATURE:
        problems.append("the version resource has no fixed file information")
    if (file_ms, file_ls) != version_words(file_version):
        problems.append(f"FILEVERSION is {file_ms:#x},{file_ls:#x}, not {file_version}")
    if (product_ms, product_ls) != version_words(file_version):
        problems.append(f"PRODUCTVERSION is {product_ms:#x},{product_ls:#x}, not {file_version}")

    blocks = {child[0]: child for child in children}
    string_tables = {table[0].upper(): table for table in blocks.get("StringFileInfo", ("", "", []))[2]}
    table = string_tables.get("040904B0")
    if table is None:
        problems.append(f"no string table 040904B0, only {sorted(string_tables)}")
    else:
        strings = {name: value for name, value, _ in table[2]}
        for name, wanted in [("ProductName", "Tallyfen"), ("FileVersion", file_version),
                             ("ProductVersion", product_version)]:
            if strings.get(name) != wanted:
                problems.append(f"{name} is {strings.get(name)!r}, not {wanted!r}")
    variables = {name: value for name, value, _ in blocks.get("VarFileInfo", ("", "", []))[2]}
    if variables.get("Translation") != struct.pack("<HH", LANG_ENGLISH_US, CODEPAGE_UNICODE):
        problems.append(f"Translation is {variables.get('Translation')!r}, not 0x0409 1200")


def check_icon(entries, ico, problems):
    count = struct.unpack_from("<H", ico, 4)[0]
    ico_images = []
    for index in range(count):
        size, offset = struct.unpack_from("<II", ico, 6 + 16 * index + 8)
        ico_images.append(ico[offset:offset + size])
    groups = [data for key, data in entries.items() if key[0] == RT_GROUP_ICON]
    if len(groups) != 1:
        problems.append(f"expected one icon group, found {len(groups)}")
        return
    group_count = struct.unpack_from("<H", groups[0], 4)[0]
    icon_ids = [struct.unpack_from("<H", groups[0], 6 + 14 * index + 12)[0]
                for index in range(group_count)]
    icons = {key[1]: data for key, data in entries.items() if key[0] == RT_ICON}
    carried = [icons.get(icon_id) for icon_id in icon_ids]
    if carried != ico_images:
        problems.append(f"the icon group holds {group_count} images that differ from the "
                        f"{count} of the .ico file")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ["--windres", "--preprocessor", "--rc", "--ico", "--work-dir", "--file-version",
                   "--product-version"]:
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    work_dir = Path(args.work_dir)
    work_dir.mkdir(parents=True, exist_ok=True)

    res_file = work_dir / "tallyfen.res"
    object_file = work_dir / "tallyfen.rc.o"
    # windres would look for MinGW's gcc to preprocess; the host compiler does the same job.
    windres = [args.windres, f"--preprocessor={args.preprocessor}"] + [
        f"--preprocessor-arg={arg}" for arg in ["-E", "-xc", "-DRC_INVOKED"]]
    for output, output_format in [(res_file, "res"), (object_file, "coff")]:
        output.unlink(missing_ok=True)
        subprocess.run(windres + ["-O", output_format, "-i", args.rc, "-o", str(output)],
                       check=True)
    if b".rsrc" not in object_file.read_bytes():
        sys.exit(f"{object_file} has no .rsrc section")

    problems = []
    entries = read_res(res_file.read_bytes())
    check_version(entries, args.file_version, args.product_version, problems)
    check_icon(entries, Path(args.ico).read_bytes(), problems)
    for problem in problems:
        print("FAIL:", problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print(f"{args.rc}: compiles; version {args.file_version} ({args.product_version}), "
          f"English (United States), and the icon are in place")


if __name__ == "__main__":
    main()
