#!/usr/bin/env python3
"""The idle cost of the resident wordvane.exe under Wine, side by side with a
bare program whose 1 ms window timer does nothing: CPU time of the program
and of wineserver over the same span, one after the other in one run.

idle_cpu.py --program-folder DIR --bare EXE --prefix DIR [--seconds N] [--rounds N]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))
from desktop import VirtualDisplay, WinePrefix, wait_for  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def pid_of(name):
    """The Linux process of a Windows program (its command line names the exe)."""
    for entry in Path("/proc").iterdir():
        if entry.name.isdigit():
            try:
                command = (entry / "cmdline").read_bytes().split(b"\0")[0]
            except OSError:
                continue
            base = command.decode(errors="replace").replace("\\", "/").rsplit("/", 1)[-1]
            if base.lower().startswith(name.lower()):
                return int(entry.name)
    return None


def measure(prefix, exe, seconds):
    """Percent of a core used by `exe` and by wineserver while `exe` idles."""
    process = subprocess.Popen(["wine", str(exe)], env=prefix.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        pid = wait_for(lambda: pid_of(Path(exe).name), 60, f"{exe} to start")
        server = wait_for(lambda: pid_of("wineserver"), 10, "wineserver")
        time.sleep(5)  # start-up is not idling
        before = (cpu_seconds(pid), cpu_seconds(server), time.monotonic())
        time.sleep(seconds)
        after = (cpu_seconds(pid), cpu_seconds(server), time.monotonic())
        span = after[2] - before[2]
        return (100 * (after[0] - before[0]) / span, 100 * (after[1] - before[1]) / span)
    finally:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait(10)
        time.sleep(1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program-folder", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--seconds", type=float, default=30)
    parser.add_argument("--rounds", type=int, default=1)
    options = parser.parse_args()
    display = VirtualDisplay()
    prefix = WinePrefix(options.prefix, display.name)
    folder = prefix.drive_c() / "wordvane-idle"
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(options.program_folder, folder)
    try:
        totals = {"bare": [], "wordvane": []}
        for _ in range(options.rounds):
            for name, exe in (("bare", options.bare), ("wordvane", folder / "wordvane.exe")):
                program, server = measure(prefix, exe, options.seconds)
                totals[name].append(program + server)
                print(f"{name:9} program {program:5.2f} %  wineserver {server:5.2f} %  "
                      f"together {program + server:5.2f} % of a core", flush=True)
        bare = sum(totals["bare"]) / len(totals["bare"])
        wordvane = sum(totals["wordvane"]) / len(totals["wordvane"])
        print(f"idle wordvane.exe / bare 1 ms timer: {wordvane / bare:.2f}x "
              f"({wordvane:.2f} % against {bare:.2f} %)")
    finally:
        prefix.stop()
        display.stop()


main()
