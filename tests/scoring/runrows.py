#!/usr/bin/env python3
"""Feeds each row's eight box texts through tallyfen-score and compares its output line.

usage: runrows.py ROWS.tsv DRIVER [DRIVER OPTIONS...]
DRIVER may be preceded by the command that runs it (wine for a Windows build).
A row: name, the eight box texts and the expected line, TAB-separated; '#' starts a comment line.
"""
import subprocess
import sys

rows_file, driver = sys.argv[1], sys.argv[2:]
# Lines end at a line feed only: a carriage return inside a row is a box text's.
with open(rows_file, encoding="utf-8", newline="") as f:
    rows = [line.split("\t") for line in f.read().split("\n") if line.strip() and not line.startswith("#")]
bad = [r[0] for r in rows if len(r) != 10] + [r[0] for i, r in enumerate(rows) if r[0] in [s[0] for s in rows[:i]]]
if bad:
    sys.exit(f"{rows_file}: rows without ten fields, or named twice: {', '.join(bad)}")

lines = "".join("\t".join(r[1:9]) + "\n" for r in rows)
actual = subprocess.run(driver, input=lines, capture_output=True, text=True, check=True).stdout.splitlines()
failures = 0
for row, got in zip(rows, actual + [""] * len(rows)):
    if got != row[9]:
        failures += 1
        print(f"{row[0]}\n  expected {row[9]}\n  actual   {got}")
print(f"{len(rows) - failures} of {len(rows)} rows pass")
sys.exit(1 if failures else 0)
