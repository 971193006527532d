#!/usr/bin/env bash
# wordvane-sim replays the scenarios under sim/ and prints exactly what their
# .expected files hold.
set -euo pipefail
sim=$1
defaults=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$defaults"/* "$work/"
# Word list 1: the words ab (apple, apricot) and ac.
printf '%s\r\n' abc ';' '' '' false normal middle 2 / ab 'word ab' apple 'red fruit' \
    apricot 'orange fruit' / ac 'word ac' > "$work/WordList1.txt"
status=0
for script in "$here"/sim/*.txt; do
    expected=${script%.txt}.expected
    # A scenario named *.state.txt also prints the engine's state.
    options=()
    [[ $script == *.state.txt ]] && options=(--state)
    if ! diff -u "$expected" <("$sim" "${options[@]}" "$work" "$script"); then
        echo "FAIL: $(basename "$script")"
        status=1
    fi
done
[ $status -eq 0 ] && echo "wordvane-sim: all scenarios replay as expected"
exit $status
