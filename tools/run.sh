#!/bin/sh
# Installs what is missing, builds, and runs the program under Wine in a
# machine of its own (a prefix under build/machine), from a program folder
# laid out under build/program.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/deps.sh"
"$top/tools/build.sh"

root="$top/build/wine"
"$top/tools/xvfb.sh" "$top/tests/wine/template.sh" "$root/template"
machine="$top/build/machine"
[ -d "$machine" ] || "$top/tests/wine/clone.sh" "$root/template" "$machine"

program="$top/build/program"
mkdir -p "$program"
cp "$top/build/bin/setup.exe" "$program/setup.exe"

export WINEPREFIX="$machine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
# Wine's own processes end before the display does.
"$top/tools/xvfb.sh" sh -c 'wine "$1"; s=$?; wineserver -w; exit $s' sh "$program/setup.exe" || status=$?
echo "setup.exe exited with $status; program folder: $program"
ls -R "$program"
exit $status
