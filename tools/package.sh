#!/usr/bin/env bash
# Builds the Windows release artefacts into dist/:
#   Tavo-<version>-win64.zip     the portable folder "Tavo"
#   Tavo-<version>-setup.exe     the per-user installer
#   bash tools/package.sh [--build WIN_BUILD_DIR] [--out DIST_DIR]
# Without --build it configures and builds build/win in Release first. The zip
# is reproducible: the same sources give the same bytes (fixed times, order
# and modes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=""
out="$root/dist"
while [ $# -gt 0 ]; do
    case $1 in
        --build) build=$(realpath -m "$2"); shift 2 ;;
        --out) out=$(realpath -m "$2"); shift 2 ;;
        *) echo "usage: $0 [--build WIN_BUILD_DIR] [--out DIST_DIR]" >&2; exit 2 ;;
    esac
done
if [ -z "$build" ]; then
    bash "$root/tools/setup-debian.sh"
    build="$root/build/win"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
    cmake --build "$build" --target Tavo TavoCust TavoTray
fi
version=$(sed -n 's/^#define TAVO_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/tavo_version.h")
numbers=$(sed -n 's/^#define TAVO_VERSION_NUMBERS \(.*\)$/\1/p' "$build/generated/tavo_version.h" | tr , .)
[ -n "$version" ] || { echo "package: no version in $build" >&2; exit 1; }
bin="$build/bin"
stage="$build/stage/Tavo"
rm -rf "$build/stage"
mkdir -p "$stage/help/options" "$out"

cp "$bin/Tavo.exe" "$bin/TavoCust.dll" "$bin/TavoTray.exe" "$bin/Birthday.Mid" "$stage/"
cp "$root"/resources/schemes/*.col "$root"/resources/schemes/*.scl "$stage/"
cp "$bin"/help/*.html "$bin"/help/*.css "$stage/help/"
cp "$bin"/help/options/*.html "$stage/help/options/"
# Texts for Windows: CR LF; the read-me in the code page Notepad reads everywhere.
sed "s/@VERSION@/$version/" "$root/resources/readme.txt.in" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$stage/お読みください.txt"
sed 's/$/\r/' "$root/LICENSE.txt" > "$stage/LICENSE.txt"

# Reproducible: sorted names, one time and one mode for every entry, names
# in UTF-8 marked as such (so that Windows shows the Japanese names).
zip="$out/Tavo-$version-win64.zip"
rm -f "$zip"
python3 - "$build/stage" "$zip" << 'PYTHON'
import os, sys, zipfile
stage, target = sys.argv[1], sys.argv[2]
files = sorted(os.path.relpath(os.path.join(d, f), stage) for d, _, names in os.walk(stage) for f in names)
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for name in files:
        info = zipfile.ZipInfo(name.replace(os.sep, "/"), date_time=(2026, 1, 1, 0, 0, 0))
        info.external_attr = 0o100644 << 16
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read())
PYTHON
echo "$zip"

setup="$out/Tavo-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION_NUMBERS="$numbers" -DSTAGE="$stage" \
    -DICON="$root/resources/tavo.ico" -DOUTFILE="$setup" "$root/tools/installer/tavo.nsi" > /dev/null
echo "$setup"
