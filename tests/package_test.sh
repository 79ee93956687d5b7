#!/bin/sh
# Builds the Debian package from a built tree, checks that it holds what a desktop and a
# distribution need, and runs the packaged program as a player's shell would.
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$tmp" >/dev/null
deb=$(echo "$tmp"/tilzo_*.deb)
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$tmp/list"
for path in games/tilzo share/applications/org.tilzo.Tilzo.desktop share/metainfo/org.tilzo.Tilzo.metainfo.xml \
    share/man/man6/tilzo.6.gz share/doc/tilzo/copyright \
    $(for n in 16 22 24 32 48 64 128 256; do echo "share/icons/hicolor/${n}x$n/apps/org.tilzo.Tilzo.png"; done); do
    grep -qx "./usr/$path" "$tmp/list" || { echo "not in the package: /usr/$path"; exit 1; }
done

dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr
file "$usr/games/tilzo" | grep -q ', stripped'
# Any word from these checkers, even a warning, fails the test.
quiet() { if "$@" 2>&1 | grep .; then echo "from: $*"; exit 1; fi; }
quiet desktop-file-validate "$usr/share/applications/org.tilzo.Tilzo.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.tilzo.Tilzo.metainfo.xml"
zcat "$usr/share/man/man6/tilzo.6.gz" | groff -man -ww -z 2>&1 | { if grep .; then echo "from: groff"; exit 1; fi; }

# Without a display: --help and --version need none; the game itself says so in one line.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/games/tilzo" "$@"; }
status=0 && run 2>"$tmp/err" || status=$?
test "$status" -eq 1 && test "$(cat "$tmp/err")" = "tilzo: no display could be opened" || {
    echo "no display: status $status, said:"; cat "$tmp/err"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
test "$(run --version)" = "tilzo $version"
test "$(run -platform offscreen --version)" = "tilzo $version"  # Qt's own options pass
run --help | grep -q -- '--version'
for bad in --bogus stray; do
    status=0 && run "$bad" 2>"$tmp/err" || status=$?
    test "$status" -eq 2 && grep -q -- "${bad#--}'" "$tmp/err" || { echo "tilzo $bad: status $status"; exit 1; }
done

# A plain install keeps the program in bin/, where PATH finds it.
cmake --install "$build" --prefix "$tmp/local" >/dev/null
test -x "$tmp/local/bin/tilzo"
