#!/bin/sh
# Installs what is missing, builds, and runs every test under Wine.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/deps.sh"
"$top/tools/build.sh"
cd "$top/build"
"$top/tools/xvfb.sh" ctest -j "$(nproc)" --output-on-failure "$@"
