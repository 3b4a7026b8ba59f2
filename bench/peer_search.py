#!/usr/bin/env python3
"""The peer of the content search: a plain zipfile script doing the same job.

usage: peer_search.py FOLDER WORD

For every card file NAME.krt of FOLDER (in name order, letter case ignored) it
reads the members NAME.txt and NAME.tbl (names compared without regard to
letter case), decodes them from code page 1250 and counts the lines (CR LF, CR
or LF) that hold WORD, letter case ignored. Prints the count and the seconds
from the first open of a card file to the last.
"""
import os
import re
import sys
import time
import zipfile

LINE_BREAK = re.compile("\r\n|\r|\n")


def main():
    folder, word = sys.argv[1], sys.argv[2].upper()
    entries = sorted((e for e in os.listdir(folder) if e.lower().endswith(".krt")),
                     key=str.lower)
    count = 0
    start = time.perf_counter()
    for entry in entries:
        stem = entry[:-3].lower()
        with zipfile.ZipFile(os.path.join(folder, entry)) as archive:
            names = {name.lower(): name for name in archive.namelist()}
            for suffix in ("txt", "tbl"):
                name = names.get(stem + suffix)
                if name is None:
                    continue
                text = archive.read(name).decode("cp1250", "replace").split("\0", 1)[0]
                count += sum(1 for line in LINE_BREAK.split(text) if word in line.upper())
    elapsed = time.perf_counter() - start
    print(f"{count} {elapsed:.4f}")


if __name__ == "__main__":
    main()
