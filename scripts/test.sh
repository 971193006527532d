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

echo "== fuzzing the file readers (libFuzzer, 20 s each, from the kept corpora)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in list_file settings_file replace_set one_line_text; do
    # A copy: the short runs leave the kept corpora as they are.
    mkdir "$work/$target"
    cp tests/fuzz/corpus/$target/* "$work/$target/"
    build/linux-asan/tests/${target}_fuzz -max_total_time=20 -max_len=4096 \
        -print_final_stats=0 "$work/$target" 2>&1 | tail -n 1
done
