#!/usr/bin/env bash
# Maps the Japanese Windows font names to Debian's IPA fonts in a Wine prefix,
# so that text renders as it would on a Japanese Windows.
set -euo pipefail
prefix=${1:?wine prefix}
export WINEPREFIX="$prefix" WINEDEBUG=-all
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
    printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
    for face in "MS UI Gothic" "ＭＳ ゴシック" "ＭＳ Ｐゴシック" "MS Gothic" "MS PGothic" "Meiryo" "メイリオ" "Yu Gothic UI"; do
        printf '"%s"="IPAPGothic"\n' "$face"
    done
    for face in "ＭＳ 明朝" "ＭＳ Ｐ明朝" "MS Mincho" "MS PMincho"; do
        printf '"%s"="IPAPMincho"\n' "$face"
    done
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
wine regedit /S "$reg" > /dev/null 2>&1 || true
wineserver -w
