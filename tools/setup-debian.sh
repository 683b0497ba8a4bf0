#!/usr/bin/env bash
# Installs everything the build, the tests and the Wine runs need on Debian.
# Safe to re-run: installs only what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    libgtest-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix mingw-w64
    wine wine64 xvfb x11-utils xdotool imagemagick bc
    fonts-ipafont-gothic fonts-ipafont-mincho locales
    nsis python3 python3-icalendar unzip
    libcurl4-openssl-dev libexpat1-dev radicale xandikos python3-caldav curl
    libcairo2-dev poppler-utils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" > /dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" > /dev/null
fi

# Wine takes its ANSI code page (932) from this locale.
if ! locale -a 2> /dev/null | grep -qix 'ja_JP.utf8'; then
    "${sudo_cmd[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
