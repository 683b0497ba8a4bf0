#!/usr/bin/env bash
# Builds the release artefacts from a Windows build and checks what a user
# gets: the zip holds exactly the expected files, the same sources give the
# same zip bytes, and the zip unpacks into a folder whose path has Japanese
# characters and a blank (the Windows tests start Tavo.exe from there).
#   bash tools/check-package.sh WIN_BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:?Windows build folder}")
dist="$build/dist"
rm -rf "$dist"
bash "$root/tools/package.sh" --build "$build" --out "$dist" > /dev/null
zip=$(ls "$dist"/Tavo-*-win64.zip)
[ -f "$(ls "$dist"/Tavo-*-setup.exe)" ]

listed=$(unzip -Z1 "$zip" | LC_ALL=C sort)
expected=$(LC_ALL=C sort "$root/tools/installer/zip-files.txt")
if [ "$listed" != "$expected" ]; then
    echo "the zip's files differ from tools/installer/zip-files.txt:" >&2
    diff <(echo "$expected") <(echo "$listed") >&2 || true
    exit 1
fi

again="$build/dist-again"
rm -rf "$again"
bash "$root/tools/package.sh" --build "$build" --out "$again" > /dev/null
cmp "$zip" "$again/$(basename "$zip")" || { echo "the zip is not reproducible" >&2; exit 1; }
rm -rf "$again"

unzip -q "$zip" -d "$dist/ポータブル 版"
echo "package: $(basename "$zip") and its installer are ready"
