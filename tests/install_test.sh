#!/bin/sh
# Installs a build into a scratch prefix and checks what a desktop needs to start the game.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
entry="$prefix/share/applications/org.tilzo.Tilzo.desktop"
test -x "$prefix/bin/tilzo"
test -s "$prefix/share/icons/hicolor/32x32/apps/org.tilzo.Tilzo.png"
grep -qx 'Exec=tilzo' "$entry"
grep -qx 'Icon=org.tilzo.Tilzo' "$entry"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
echo "installed: bin/tilzo, the menu entry and its icon"
