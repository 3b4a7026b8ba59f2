#!/usr/bin/env python3
"""Bomb cards: time and peak memory of the open and of the search's member read.

Makes hostile card files with Python's zipfile (streamed, so they cost little
memory to make), then runs kartoteka_bombprobe once per card and operation, each
in a fresh process so that its peak memory is its own, and prints a table.

    tools/stress/bomb_cards.py --probe build/tools/stress/kartoteka_bombprobe
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zipfile

MB = 1 << 20


class Unseekable:
    """Makes zipfile write a data descriptor after each member (flag bit 3)."""

    def __init__(self, file):
        self.file = file

    def write(self, data):
        return self.file.write(data)

    def flush(self):
        self.file.flush()


def large_member(path, name, size, fill=b"A", declared=None, copies=1, stored_names=None):
    """size bytes of fill in each member (below 2 GiB: no Zip64). With
    `declared`, the members carry data descriptors and their sizes are forged to
    `declared` there and in the central directory: 7z.so then unpacks more than
    the archive declares."""
    chunk = fill * MB
    target = open(path, "wb")
    with zipfile.ZipFile(Unseekable(target) if declared is not None else target, "w",
                         zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for copy in range(copies):
            member = stored_names[copy] if stored_names else name
            info = zipfile.ZipInfo(member, date_time=(2021, 3, 4, 5, 6, 8))
            info.compress_type = zipfile.ZIP_DEFLATED
            with archive.open(info, "w") as out:
                left = size
                while left > 0:
                    part = chunk[:min(left, len(chunk))]
                    out.write(part)
                    left -= len(part)
    target.close()
    if declared is not None:
        forge_sizes(path, declared)


def forge_sizes(path, declared):
    data = bytearray(open(path, "rb").read())
    for signature, offset in ((b"PK\x07\x08", 12), (b"PK\x01\x02", 24)):
        at = data.find(signature)
        while at >= 0:
            struct.pack_into("<I", data, at + offset, declared)
            at = data.find(signature, at + 4)
    open(path, "wb").write(data)


def many_items(path, count):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as archive:
        for i in range(count):
            archive.writestr("item%d.txt" % i, b"x")


def make_cards(folder):
    cards = []

    def card(label, name, make):
        path = os.path.join(folder, name)
        make(path)
        cards.append((label, path))

    card("2 GiB of zeros, sizes declared", "Bomba.krt",
         lambda p: large_member(p, "Bomba.txt", 2047 * MB, b"\0"))
    card("2 GiB of zeros, sizes forged to 1000 B", "Lez.krt",
         lambda p: large_member(p, "Lez.txt", 2047 * MB, b"\0", declared=1000))
    card("1 GiB of 'A' in the notes, forged", "Hledani.krt",
         lambda p: large_member(p, "Hledani.txt", 1024 * MB, b"A", declared=1000))
    card("300 MB picture member, forged", "Obraz.krt",
         lambda p: large_member(p, "Obraz1.bmp", 300 * MB, b"\0", declared=1000))
    card("20 same-named notes of 60 MB, forged", "Kopie.krt",
         lambda p: large_member(p, None, 60 * MB, b"A", declared=1000, copies=20,
                                stored_names=["Kopie.txt" if i % 2 else "KOPIE.TXT"
                                              for i in range(20)]))
    card("65,535 tiny items", "Mnoho.krt", lambda p: many_items(p, 65535))
    card("real-sized card: 60 MB notes", "Velka.krt",
         lambda p: large_member(p, "Velka.txt", 60 * MB, b"B"))
    return cards


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--probe", required=True, help="kartoteka_bombprobe")
    parser.add_argument("--library", default="/usr/lib/p7zip/7z.so")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="kartoteka-bombs-") as folder:
        print("making the bomb cards ...", flush=True)
        cards = make_cards(folder)
        print("%-42s %9s %-6s %8s %9s %10s  %s" % ("card", "file KB", "op", "seconds",
                                                  "peak MB", "left in TEMP", "outcome"))
        for label, path in cards:
            for operation in ("open", "search"):
                run = subprocess.run([args.probe, operation, args.library, path],
                                     capture_output=True, text=True, timeout=600)
                fields = run.stdout.rstrip("\n").split("\t")
                if len(fields) != 5:
                    print("%-42s probe failed: %s %s" % (label, run.stdout, run.stderr))
                    return 1
                op, seconds, peak, left, outcome = fields
                print("%-42s %9d %-6s %8s %9s %10s  %s"
                      % (label, os.path.getsize(path) // 1024, op, seconds, peak, left,
                         outcome))
    return 0


if __name__ == "__main__":
    sys.exit(main())
