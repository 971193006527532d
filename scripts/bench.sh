#!/usr/bin/env bash
# Sets up this machine and runs Wordvane's benchmarks: the core's (Google
# Benchmark, g++ RelWithDebInfo) and the candidate list's refill on the real
# desktop under Wine, on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target wordvane_bench
build/linux/bench/wordvane_bench
cmake --build --preset linux --target soak_run
soak=$(mktemp -d)
cp defaults/* "$soak/"
build/linux/bench/soak_run "$soak"
rm -rf "$soak"

cmake --preset windows >/dev/null
cmake --build --preset windows --target listbox_refill_bench clipboard_save_bench bare_timer \
    on_screen_latency wordvane
export WINEPREFIX=${WINEPREFIX:-$PWD/build/windows/bench-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=:94
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill "$xvfb"' EXIT
export DISPLAY=$display
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
wine build/windows/bench/win32/listbox_refill_bench.exe
wine build/windows/bench/win32/clipboard_save_bench.exe
wineserver -k 2>/dev/null || true

# The idle cost of the resident program against a bare 1 ms timer and the
# floor of a program that only waits, side by side in one run (a display and
# a prefix of its own).
python3 bench/idle_cpu.py --program-folder build/windows/Wordvane \
    --bare build/windows/bench/win32/bare_timer.exe --prefix "$WINEPREFIX" --rounds 3

# What a user feels on the screen: the list hotkey and Tab, measured from
# inside a target, each against a bare program doing the least for the same
# key, in one run.
python3 bench/on_screen_latency.py --program-folder build/windows/Wordvane \
    --helper build/windows/bench/win32/on_screen_latency.exe --prefix "$WINEPREFIX" --rounds 20
