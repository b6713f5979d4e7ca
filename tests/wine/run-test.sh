#!/bin/sh
# Runs one Windows test program under Wine in a prefix of its own, cloned from
# the template, and removes the prefix afterwards. CTest uses it as the
# emulator of every test program.
#   WINETEST_ROOT    folder of the template and the test prefixes (required)
#   WINETEST_LANG    system language as a locale name (default en_US.UTF-8)
#   WINETEST_WINVER  Windows version the program sees (Wine's names: win98, winxp, ...)
#   WINETEST_KEEP    set to keep the prefix for a look afterwards
# Usage: run-test.sh PROGRAM [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
: "${WINETEST_ROOT:?set WINETEST_ROOT}"
program=$1
shift

prefix=$(mktemp -d "$WINETEST_ROOT/prefix.XXXXXX")
"$here/clone.sh" "$WINETEST_ROOT/template" "$prefix" || exit 1

# Drive R: is the folder C:\driveroot, for programs run from a drive's root.
mkdir -p "$prefix/drive_c/driveroot"
ln -sfn ../drive_c/driveroot "$prefix/dosdevices/r:"

if [ -n "${WINETEST_WINVER:-}" ]; then
    # The registry files are plain text until the server starts.
    printf '\n[Software\\\\Wine\\\\AppDefaults\\\\%s] 0\n"Version"="%s"\n' \
        "$(basename "$program")" "$WINETEST_WINVER" >> "$prefix/user.reg"
fi

export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL="${WINETEST_LANG:-en_US.UTF-8}"
if [ -n "${DISPLAY:-}" ]; then
    wine "$program" "$@"
else
    xvfb-run -a wine "$program" "$@"
fi
status=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
if [ -z "${WINETEST_KEEP:-}" ]; then rm -rf "$prefix"; else echo "prefix kept: $prefix" >&2; fi
exit $status
