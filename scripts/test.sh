#!/usr/bin/env bash
# Sets up this machine and runs every test of Wordvane: the unit tests (also
# under AddressSanitizer and UndefinedBehaviorSanitizer), the Windows
# cross-build with the end-to-end cases under Wine, and a short fuzzing run
# of the file readers (lists, settings, replacement lines, the one-line form).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

echo "== unit tests (g++)"
cmake --preset linux >/dev/null
cmake --build --preset linux
ctest --preset linux

echo "== unit tests under ASan and UBSan (clang)"
cmake --preset linux-asan >/dev/null
cmake --build --preset linux-asan
ctest --preset linux-asan

echo "== wordvane.exe (MinGW-w64) and the end-to-end cases under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

echo "== fuzzing the file readers (libFuzzer, 20 s each)"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp defaults/*.txt "$corpus/"
build/linux-asan/tests/list_file_fuzz -max_total_time=20 -max_len=4096 -print_final_stats=0 \
    "$corpus" 2>&1 | tail -n 1
build/linux-asan/tests/replace_set_fuzz -max_total_time=20 -print_final_stats=0 2>&1 | tail -n 1
settings=$(mktemp -d)
trap 'rm -rf "$corpus" "$settings"' EXIT
cp defaults/vane.ini "$settings/"
build/linux-asan/tests/settings_file_fuzz -max_total_time=20 -max_len=4096 -print_final_stats=0 \
    "$settings" 2>&1 | tail -n 1
build/linux-asan/tests/one_line_text_fuzz -max_total_time=20 -print_final_stats=0 2>&1 | tail -n 1
