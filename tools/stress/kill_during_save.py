#!/usr/bin/env python3
"""Kill-during-save loop.

Starts kartoteka_savestress, which saves three cards round-robin for ever, kills
it with SIGKILL at a random moment, runs what the program's start-up does to
FILES (removing stale temporary card files) and checks every card file: a valid
Zip (Python's zipfile, CRCs tested) holding exactly the members of one save,
whose generation is the last completed save of that card or the one the kill
interrupted; and no temporary file left in FILES. Prints the figures and exits
non-zero on the first broken card.

    tools/stress/kill_during_save.py --tool build/tools/stress/kartoteka_savestress \
        --library /usr/lib/p7zip/7z.so --kills 300
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zipfile

PICTURE_BYTES = 256 * 1024
TEMPORARY = re.compile(r"^\..+\.krt\.tmp-\d+$", re.IGNORECASE)


def picture_bytes(generation):
    """The generator of SaveStress.cpp."""
    x = (generation * 2654435761 + 1) & 0xFFFFFFFF
    out = bytearray(PICTURE_BYTES)
    for i in range(PICTURE_BYTES):
        x = (x * 1103515245 + 12345) & 0xFFFFFFFF
        out[i] = (x >> 16) & 0xFF
    return bytes(out)


def allowed_generations(log_path, cards):
    """Per card: the last completed generation and, if a save of it was cut
    off, the generation of that save."""
    done = {card: 0 for card in range(cards)}
    started = {card: [] for card in range(cards)}
    with open(log_path) as log:
        for line in log:
            parts = line.split()
            if len(parts) != 3:
                continue  # a line cut by the kill
            event, card, generation = parts[0], int(parts[1]), int(parts[2])
            if event == "start":
                started[card].append(generation)
            elif event == "done":
                done[card] = generation
    # A save whose "done" line the kill prevented may still have completed, so
    # every save started after the last one logged as done may be the card.
    allowed = {}
    for card in range(cards):
        allowed[card] = {done[card]} | {g for g in started[card] if g > done[card]}
    highest = max((g for gens in started.values() for g in gens), default=0)
    return allowed, highest


def check_card(path, card, allowed, pictures):
    name = "Karta%d" % card
    with zipfile.ZipFile(path) as archive:
        bad = archive.testzip()
        if bad is not None:
            return "bad CRC in %s" % bad
        names = sorted(archive.namelist())
        expected = sorted([name + ".tbl", name + ".txt", name + "1.bmp"])
        if names != expected:
            return "members %s" % names
        table = archive.read(name + ".tbl").decode("cp1250").split("\r\n")
        generation = int(table[0].split("=")[1])
        if generation not in allowed:
            return "generation %d, expected one of %s" % (generation, sorted(allowed))
        notes = archive.read(name + ".txt").decode("cp1250")
        if notes != "\r\n".join(["generace %d" % generation] * 2000):
            return "notes of another generation"
        if generation not in pictures:
            pictures[generation] = picture_bytes(generation)
        if archive.read(name + "1.bmp") != pictures[generation]:
            return "picture of another generation"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tool", required=True, help="kartoteka_savestress")
    parser.add_argument("--library", default="/usr/lib/p7zip/7z.so")
    parser.add_argument("--kills", type=int, default=300)
    parser.add_argument("--cards", type=int, default=3)
    parser.add_argument("--seed", type=int, default=12)
    args = parser.parse_args()
    random.seed(args.seed)

    root = tempfile.mkdtemp(prefix="kartoteka-kill-")
    program = root + "/"
    shutil.copy(args.library, program + "7z.so")
    subprocess.run([args.tool, "init", program, str(args.cards)], check=True)

    pictures = {}
    cut_saves = stale_found = removed = saves = 0
    started_at = time.time()
    for kill in range(1, args.kills + 1):
        saver = subprocess.Popen([args.tool, "save", program, str(args.cards)])
        time.sleep(random.uniform(0.02, 0.4))
        saver.send_signal(signal.SIGKILL)
        saver.wait()

        allowed, highest = allowed_generations(program + "save.log", args.cards)
        files = os.listdir(program + "FILES")
        stale_found += sum(1 for f in files if TEMPORARY.match(f))
        # The next start.
        removed += int(subprocess.run([args.tool, "start", program], check=True,
                                      capture_output=True, text=True).stdout)
        left = [f for f in os.listdir(program + "FILES") if TEMPORARY.match(f)]
        if left:
            print("kill %d: temporary files left after the start: %s" % (kill, left))
            return 1
        for card in range(args.cards):
            problem = check_card("%sFILES/Karta%d.krt" % (program, card), card, allowed[card],
                                 pictures)
            if problem:
                print("kill %d: Karta%d.krt: %s" % (kill, card, problem))
                print("kept for inspection: " + root)
                return 1
            if len(allowed[card]) > 1:
                cut_saves += 1
        saves = highest

    seconds = time.time() - started_at
    print("kills: %d, saves started: %d, card checks with an unfinished save: %d, "
          "temporary files found after a kill: %d, removed at the next start: %d, "
          "broken or missing card files: 0, temporary files left: 0, time: %.0f s"
          % (args.kills, saves, cut_saves, stale_found, removed, seconds))
    shutil.rmtree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
