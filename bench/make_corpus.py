#!/usr/bin/env python3
"""Writes a corpus of card files for the search benchmark with Python's zipfile.

usage: make_corpus.py FOLDER COUNT PICTURE_EVERY

Card "Karta NNNNNN.krt" holds NAME.tbl (20 key=value rows) and NAME.txt (a
paragraph of notes), both code page 1250 with CR LF, and, in every
PICTURE_EVERY-th card (0: none), NAME1.bmp, a 320 x 240 24-bit bitmap of noise
(so it does not compress). One card in a hundred holds the searched word
"zlatokop" in its notes, one in a thousand in a table row too.
"""
import os
import random
import struct
import sys
import zipfile

KEYS = ["Jméno", "Příjmení", "Obec", "Ulice", "Telefon",
        "E-mail", "Narozen", "Povolání", "Poznámka", "Kategorie"]


def bitmap(rng):
    width, height = 320, 240
    row = width * 3
    pixels = rng.randbytes(row * height)
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    return header + info + pixels


def table(card):
    rows = []
    for row in range(20):
        rows.append(f"{KEYS[row % len(KEYS)]} {row // len(KEYS) + 1}="
                    f"hodnota řádku {row} karty {card}")
    if card % 1000 == 7:
        rows.append("Koníček=zlatokop amatér")
    return ("\r\n".join(rows) + "\r\n").encode("cp1250")


def notes(card):
    text = ("Žluťoučký kůň úpěl ďábelské ódy, zatímco pes běžel přes pole k řece.\r\n"
            f"Karta číslo {card} popisuje osobu, její adresu, zaměstnání a další údaje, "
            "které se mohou hodit při hledání v kartotéce.\r\n"
            "Poslední změna proběhla na jaře; údaje ověřeny telefonicky.")
    if card % 100 == 42:
        text += "\r\nByl to vášnivý Zlatokop z Jílového.\r\nZLATOKOP se vrátil."
    return text.encode("cp1250")


def main():
    folder, count, picture_every = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    os.makedirs(folder, exist_ok=True)
    rng = random.Random(1250)
    for card in range(count):
        name = f"Karta {card:06d}"
        with zipfile.ZipFile(os.path.join(folder, name + ".krt"), "w",
                             zipfile.ZIP_DEFLATED, compresslevel=2) as archive:
            archive.writestr(name + ".tbl", table(card))
            archive.writestr(name + ".txt", notes(card))
            if picture_every and card % picture_every == 0:
                archive.writestr(name + "1.bmp", bitmap(rng), compresslevel=1)


if __name__ == "__main__":
    main()
