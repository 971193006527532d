#!/usr/bin/env bash
# Sets up this machine, builds wordvane.exe and starts it under Wine: on your
# display ($DISPLAY), or on a virtual display when there is none.
#
# Your program folder is $WORDVANE_HOME (default ~/Wordvane): the program is
# copied there on every run, the shipped lists and vane.ini only when they are
# not there yet, so your own lists are never overwritten.
#
# Stop Wordvane with "終了" in its tray menu (right button on the icon), which
# saves the lists; Ctrl+C ends it without saving.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target wordvane

home=${WORDVANE_HOME:-$HOME/Wordvane}
mkdir -p "$home"
cp build/windows/wordvane.exe "$home/"
for file in defaults/*; do
    [ -e "$home/$(basename "$file")" ] || cp "$file" "$home/"
done

export WINEPREFIX=${WINEPREFIX:-$HOME/.wordvane-wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:93
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb"' EXIT
    echo "no display: Wordvane runs on the virtual display $DISPLAY"
fi
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
if [ ! -e "$WINEPREFIX/.wordvane-fonts" ]; then
    scripts/wine-fonts.sh && touch "$WINEPREFIX/.wordvane-fonts"
fi
echo "Wordvane runs from $home (Wine prefix $WINEPREFIX)."
echo "Stop it with 終了 in its tray menu, or Ctrl+C here (nothing saved)."
wine "$home/wordvane.exe"
