#!/bin/sh
# Makes a fresh prefix from the template. The big DLL folders are hard-linked,
# since Wine never writes into them in place; everything a program may change
# (registry, spooler folders, the INF store, win.ini, C:\TEMP) is copied.
# Usage: clone.sh TEMPLATE DEST
set -eu
tpl=$1
dst=$2
rm -rf "$dst"
mkdir -p "$dst"
for item in "$tpl"/* "$tpl"/.[!.]*; do
    [ -e "$item" ] || [ -L "$item" ] || continue
    case "$(basename "$item")" in
    drive_c) ;;
    *) cp -a "$item" "$dst/" ;;
    esac
done
mkdir -p "$dst/drive_c"
for item in "$tpl"/drive_c/*; do
    case "$(basename "$item")" in
    windows) ;;
    *) cp -a "$item" "$dst/drive_c/" ;;
    esac
done
mkdir -p "$dst/drive_c/windows"
for item in "$tpl"/drive_c/windows/*; do
    name=$(basename "$item")
    case "$name" in
    system32|syswow64)
        cp -al "$item" "$dst/drive_c/windows/$name"
        rm -rf "$dst/drive_c/windows/$name/spool"
        if [ -d "$item/spool" ]; then cp -a "$item/spool" "$dst/drive_c/windows/$name/spool"; fi
        ;;
    *) cp -a "$item" "$dst/drive_c/windows/" ;;
    esac
done
rm -f "$dst/.template-ok"
