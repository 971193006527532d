#!/usr/bin/env bash
# The checker accepts the shipped program folder without a message, rewrites
# it byte for byte, and reports a broken folder the way start-up would.
set -euo pipefail
checker=$1
defaults=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$checker" --version | grep -qx 'Wordvane [0-9]*\.[0-9]*\.[0-9]*' || fail "--version"
out=$("$checker" "$defaults") || fail "defaults/ is not accepted"
[ "$(grep -c ': loaded "' <<<"$out")" -eq 7 ] || fail "not every list loaded: $out"
[ "$(wc -l <<<"$out")" -eq 8 ] || fail "unexpected messages: $out"
grep -q '^vane.ini: Shift_JIS$' <<<"$out" || fail "vane.ini: $out"
grep -q '^ClipBoad.txt: loaded "クリップボード", 20 words, Shift_JIS$' <<<"$out" ||
    fail "history size: $out"

"$checker" "$defaults" --rewrite "$work/out" >/dev/null || fail "rewrite failed"
for file in "$defaults"/*; do
    cmp "$file" "$work/out/$(basename "$file")" || fail "$(basename "$file") changes when rewritten"
done

# Files as today's Notepad saves them: UTF-8 without a mark, UTF-8 with
# one, UTF-16; each is named and written back byte for byte.
cp -r "$defaults" "$work/edited"
iconv -f CP932 -t UTF-8 "$defaults/WordList1.txt" > "$work/edited/WordList1.txt"
{ printf '\xEF\xBB\xBF'; iconv -f CP932 -t UTF-8 "$defaults/vane.ini"; } > "$work/edited/vane.ini"
{ printf '\xFF\xFE'; iconv -f CP932 -t UTF-16LE "$defaults/WordList2.txt"; } \
    > "$work/edited/WordList2.txt"
out=$("$checker" "$work/edited" --rewrite "$work/edited-out") || fail "edited files: $out"
grep -q '^vane.ini: UTF-8 (BOM)$' <<<"$out" || fail "vane.ini with a mark: $out"
grep -q '^WordList1.txt: loaded "あいさつ", .* words, UTF-8$' <<<"$out" || fail "UTF-8: $out"
grep -q '^WordList2.txt: loaded ".*", .* words, UTF-16LE$' <<<"$out" || fail "UTF-16: $out"
for file in vane.ini WordList1.txt WordList2.txt; do
    cmp "$work/edited/$file" "$work/edited-out/$file" || fail "$file changes when rewritten"
done

cp -r "$defaults" "$work/broken"
rm "$work/broken/vane.ini"
set +e
out=$("$checker" "$work/broken" --rewrite "$work/never")
status=$?
set -e
[ $status -eq 1 ] || fail "missing vane.ini gives status $status"
[ "$(head -n 2 <<<"$out")" = $'iniファイルの読み取りに失敗しました。\n起動を中止します。' ] || fail "message: $out"
[ ! -e "$work/never" ] || fail "a folder that does not start is rewritten"

cp "$defaults/vane.ini" "$work/broken/"
printf 'x\r\n' > "$work/broken/WordList2.txt"
out=$("$checker" "$work/broken") || fail "a broken word list ends start-up"
grep -q '^WordList2.txt: not loaded$' <<<"$out" || fail "WordList2: $out"
grep -q '^WordList5.txt: not loaded$' <<<"$out" || fail "WordList5: $out"
echo "wordvane-check: all cases passed"
