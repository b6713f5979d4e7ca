#!/bin/sh
# Installs what the build and the tests need on Debian, when it is missing.
set -eu
need=""
command -v cmake >/dev/null || need="$need cmake"
command -v i686-w64-mingw32-g++-posix >/dev/null || need="$need g++-mingw-w64-i686"
command -v wine >/dev/null || need="$need wine wine64"
dpkg -s wine32:i386 >/dev/null 2>&1 || need="$need wine32:i386"
command -v xvfb-run >/dev/null || need="$need xvfb"
command -v xauth >/dev/null || need="$need xauth"
command -v iconv >/dev/null || need="$need libc-bin"
[ -d /usr/src/googletest ] || need="$need googletest"
dpkg -s fonts-wqy-microhei >/dev/null 2>&1 || need="$need fonts-wqy-microhei"
[ -z "$need" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "installing:$need"
$sudo dpkg --add-architecture i386
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $need
