#!/usr/bin/env bash
# Configures and builds one of the three builds: native | win64 | win32.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZL_BUILD_DIR:-$root/build}
kind=$1; shift || true

# The native build keeps line tables only (-g1): sanitizer reports still name file and line,
# and the tests build much faster than with full debug information.
case "$kind" in
native) dir=$build/native; args=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g1") ;;
win64) dir=$build/win64; args=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release) ;;
win32) dir=$build/win32; args=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DZL_TESTS=OFF) ;;
*) echo "usage: build.sh native|win64|win32 [cmake --build args]" >&2; exit 2 ;;
esac

if [[ ! -f $dir/build.ninja ]]; then
    cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" "$@"
