#!/bin/sh
# Turns a payload source (UTF-8, LF) into the bytes the program carries:
# CR LF line ends in the given encoding. Usage: convert.sh IN OUT ENCODING
set -eu
tmp="$2.tmp"
sed 's/$/\r/' "$1" | iconv -f UTF-8 -t "$3" > "$tmp"
mv "$tmp" "$2"
