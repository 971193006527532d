#!/usr/bin/env bash
# wordvane-sim replays the scenarios under sim/ and prints exactly what their
# .expected files hold. Each scenario starts on a fresh program folder: the
# shipped one changed by its NAME.folder.sh when it has one (run inside the
# folder), else the shipped one with the test word list 1 below.
set -euo pipefail
sim=$1
defaults=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# For the folder scripts: `list FILE LINE...` writes a list file (code page
# 932, CR LF); `setline FILE N TEXT` replaces line N of a file.
list() {
    local file=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932 > "$file"
}
setline() {
    local text
    text=$(printf '%s' "$3" | iconv -f UTF-8 -t CP932)
    awk -v n="$2" -v t="$text" 'NR == n { print t "\r"; next } { print }' "$1" > "$1.new"
    mv "$1.new" "$1"
}
status=0
for script in "$here"/sim/*.txt; do
    rm -rf "$work/folder"
    cp -r "$defaults" "$work/folder"
    setup=${script%.txt}
    setup=${setup%.state}.folder.sh
    if [ -f "$setup" ]; then
        (cd "$work/folder" && source "$setup")
    else
        # Word list 1: the words ab (apple, apricot) and ac.
        printf '%s\r\n' abc ';' '' '' false normal middle 2 / ab 'word ab' apple 'red fruit' \
            apricot 'orange fruit' / ac 'word ac' > "$work/folder/WordList1.txt"
    fi
    expected=${script%.txt}.expected
    # A scenario named *.state.txt also prints the engine's state.
    options=()
    [[ $script == *.state.txt ]] && options=(--state)
    if ! diff -u "$expected" <("$sim" "${options[@]}" "$work/folder" "$script"); then
        echo "FAIL: $(basename "$script")"
        status=1
    fi
done
[ $status -eq 0 ] && echo "wordvane-sim: all scenarios replay as expected"
exit $status
