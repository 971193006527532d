#!/usr/bin/env python3
"""What a user feels, on the screen under Wine: the list hotkey until the
candidate list is visible, and Tab until the word is in the target's edit
box, measured from inside a target (on_screen_latency.exe measure), each
against its floor in the same run: a bare program that shows a small window
on the same hotkey and pastes with the clipboard and Ctrl+V on Tab
(on_screen_latency.exe bare). Medians of the rounds.

on_screen_latency.py --program-folder DIR --helper EXE --prefix DIR [--rounds N]
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from desktop import VirtualDisplay, WinePrefix, windows_path  # noqa: E402


def run_rounds(prefix, helper, rounds, output, list_class):
    output.unlink(missing_ok=True)
    subprocess.run(["wine", str(helper), "measure", str(rounds), windows_path(output), list_class],
                   env=prefix.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=60 + rounds * 10)
    rows = [line.split() for line in output.read_text().splitlines()]
    return [float(row[0]) for row in rows], [float(row[1]) for row in rows]


def with_program(prefix, command, settle):
    process = subprocess.Popen(["wine", *command], env=prefix.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    time.sleep(settle)
    return process


def stop(process):
    os.killpg(process.pid, signal.SIGKILL)
    process.wait(10)
    time.sleep(1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-folder", required=True)
    parser.add_argument("--helper", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--rounds", type=int, default=20)
    options = parser.parse_args()
    display = VirtualDisplay()
    prefix = WinePrefix(options.prefix, display.name)
    folder = prefix.drive_c() / "wordvane-latency"
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(options.program_folder, folder)
    output = folder / "latency.txt"
    try:
        bare = with_program(prefix, [options.helper, "bare"], 3)
        bare_list, bare_paste = run_rounds(prefix, options.helper, options.rounds, output,
                                           "BareList")
        stop(bare)
        program = with_program(prefix, [str(folder / "wordvane.exe")], 6)
        word_list, word_paste = run_rounds(prefix, options.helper, options.rounds, output,
                                           "WordvaneForm")
        stop(program)
    finally:
        prefix.stop()
        display.stop()
    for what, floor, measured in (("list hotkey to the list on the screen", bare_list, word_list),
                                  ("Tab to the word in the edit box", bare_paste, word_paste)):
        if min(floor + measured) < 0:
            print(f"{what}: a round timed out ({floor}, {measured})")
            continue
        median_floor, median = statistics.median(floor), statistics.median(measured)
        goal = 1.5 * median_floor + 5
        print(f"{what}: wordvane {median:.1f} ms (range {min(measured):.1f}-{max(measured):.1f}), "
              f"floor {median_floor:.1f} ms (range {min(floor):.1f}-{max(floor):.1f}), "
              f"goal {goal:.1f} ms: {'met' if median <= goal else 'not met'}")


main()
