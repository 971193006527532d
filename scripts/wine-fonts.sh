#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX show Japanese: the system's UI fonts
# (Tahoma and the dialog faces, which menus, captions, message boxes and
# controls use) take their Japanese glyphs from IPA P Gothic (Debian's
# fonts-ipafont-gothic, which scripts/setup.sh installs), and the Japanese
# faces Windows has and Wine lacks are the IPA fonts.
set -euo pipefail

links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in "Tahoma" "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI"; do
    wine reg add "$links" /v "$face" /t REG_MULTI_SZ /d "ipagp.ttf,IPAPGothic" /f >/dev/null
done

replacements='HKCU\Software\Wine\Fonts\Replacements'
for pair in "ＭＳ Ｐゴシック=IPAPGothic" "MS PGothic=IPAPGothic" "MS UI Gothic=IPAPGothic" \
    "ＭＳ ゴシック=IPAGothic" "MS Gothic=IPAGothic" "Meiryo UI=IPAPGothic" "Yu Gothic UI=IPAPGothic"; do
    wine reg add "$replacements" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null
done
wineserver -w
