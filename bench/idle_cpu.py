#!/usr/bin/env python3
"""The idle cost of the resident wordvane.exe under Wine, side by side with a
bare program whose 1 ms window timer does nothing and with the floor, the
same bare program with no timer (`--no-timer`), waiting in GetMessage and
never woken: CPU time of the program and of wineserver over the same span,
one after the other in one run. Then the timer messages idle wordvane.exe
receives over the same span, counted from Wine's message trace.

idle_cpu.py --program-folder DIR --bare EXE --prefix DIR [--seconds N] [--rounds N]
"""

import argparse
import contextlib
import os
import re
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


@contextlib.contextmanager
def running(exe, env, arguments=(), stderr=subprocess.DEVNULL):
    """`exe` running under Wine for the `with` block; its Linux process."""
    process = subprocess.Popen(["wine", str(exe), *arguments], env=env,
                               stdout=subprocess.DEVNULL, stderr=stderr, start_new_session=True)
    try:
        yield wait_for(lambda: pid_of(Path(exe).name), 60, f"{exe} to start")
    finally:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait(10)


def measure(prefix, exe, seconds, arguments=()):
    """Percent of a core used by `exe` and by wineserver while `exe` idles."""
    with running(exe, prefix.env, arguments) as pid:
        server = wait_for(lambda: pid_of("wineserver"), 10, "wineserver")
        time.sleep(5)  # start-up is not idling
        before = (cpu_seconds(pid), cpu_seconds(server), time.monotonic())
        time.sleep(seconds)
        after = (cpu_seconds(pid), cpu_seconds(server), time.monotonic())
    time.sleep(1)
    span = after[2] - before[2]
    return (100 * (after[0] - before[0]) / span, 100 * (after[1] - before[1]) / span)


def timer_messages(prefix, exe, seconds):
    """WM_TIMER messages `exe` takes from its queue over `seconds` of idling
    after a 5 s start, from Wine's message trace of it."""
    env = dict(prefix.env)
    env["WINEDEBUG"] = "+timestamp,+pid,+msg"
    with open(Path(prefix.path) / "idle-trace.log", "w+") as log:
        with running(exe, env, stderr=log):
            time.sleep(5 + seconds + 1)
        log.seek(0)
        lines = log.read().splitlines()
    # The program is the process that registers its quit message; its start
    # is then.
    line = re.compile(r"^(\d+\.\d+):([0-9a-f]+):")
    start = pid = None
    for text in lines:
        found = line.match(text)
        if found and 'RegisterWindowMessageW L"Wordvane.Quit"' in text:
            start, pid = float(found.group(1)), found.group(2)
            break
    if pid is None:
        raise RuntimeError("wordvane.exe did not start under the trace")
    count = 0
    for text in lines:
        found = line.match(text)
        if (found and found.group(2) == pid and "(WM_TIMER)" in text and "got type" in text
                and start + 5 <= float(found.group(1)) < start + 5 + seconds):
            count += 1
    return count


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
        programs = (("floor", options.bare, ["--no-timer"]), ("bare", options.bare, []),
                    ("wordvane", folder / "wordvane.exe", []))
        totals = {name: [] for name, _, _ in programs}
        for _ in range(options.rounds):
            for name, exe, arguments in programs:
                program, server = measure(prefix, exe, options.seconds, arguments)
                totals[name].append(program + server)
                print(f"{name:9} program {program:5.2f} %  wineserver {server:5.2f} %  "
                      f"together {program + server:5.2f} % of a core", flush=True)
        mean = {name: sum(values) / len(values) for name, values in totals.items()}
        print(f"mean: floor (GetMessage) {mean['floor']:.2f} %, bare 1 ms timer "
              f"{mean['bare']:.2f} %, idle wordvane.exe {mean['wordvane']:.2f} % of a core")
        print(f"idle wordvane.exe above the floor: {mean['wordvane'] - mean['floor']:+.2f} % "
              f"of a core")
        count = timer_messages(prefix, folder / "wordvane.exe", options.seconds)
        print(f"timer messages idle wordvane.exe received in {options.seconds:g} s: {count}")
    finally:
        prefix.stop()
        display.stop()


main()
