#!/bin/sh
# Runs a command with a display: the one there is, or a private Xvfb.
# Usage: xvfb.sh COMMAND [ARGS...]
set -eu
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
DISPLAY=":$n" "$@"
