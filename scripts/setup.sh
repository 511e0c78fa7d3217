#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, only what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3
    googletest libgtest-dev
    zlib1g-dev liblz4-dev libz-mingw-w64-dev
    mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64
    xvfb x11-apps imagemagick pulseaudio
    sox espeak-ng xorriso
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
