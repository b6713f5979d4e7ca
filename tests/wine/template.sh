#!/bin/sh
# Boots the template Wine prefix that every test prefix is cloned from.
# Usage: template.sh DIR. A template booted by the same Wine is kept.
set -eu
dir=$1
stamp="$dir/.template-ok"
version=$(wine --version)
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
    exit 0
fi
rm -rf "$dir"
mkdir -p "$(dirname "$dir")"
export WINEPREFIX="$dir" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH
run() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a "$@"; fi; }
# Right after a boot the service database can still be locked; a second
# boot pass settles it.
run wineboot -i >/dev/null 2>&1 || true
wineserver -w
run wineboot >/dev/null 2>&1 || true
wineserver -w
[ -f "$dir/system.reg" ] || { echo "template.sh: wineboot made no prefix in $dir" >&2; exit 1; }
echo "$version" > "$stamp"
