#!/bin/sh
# Configures and builds the program and its tests into build/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/i686-mingw.cmake" >/dev/null
cmake --build "$top/build" -j "$(nproc)"
