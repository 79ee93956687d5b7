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
for path in games/tilzo games/tilzo-solve share/man/man6/tilzo-solve.6.gz \
    share/applications/org.tilzo.Tilzo.desktop share/metainfo/org.tilzo.Tilzo.metainfo.xml \
    share/man/man6/tilzo.6.gz share/doc/tilzo/copyright \
    $(for n in 16 22 24 32 48 64 128 256; do echo "share/icons/hicolor/${n}x$n/apps/org.tilzo.Tilzo.png"; done); do
    grep -qx "./usr/$path" "$tmp/list" || { echo "not in the package: /usr/$path"; exit 1; }
done

dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr
file "$usr/games/tilzo" | grep -q ', stripped'
file "$usr/games/tilzo-solve" | grep -q ', stripped'
# Any word from these checkers, even a warning, fails the test.
quiet() { if "$@" 2>&1 | grep .; then echo "from: $*"; exit 1; fi; }
quiet desktop-file-validate "$usr/share/applications/org.tilzo.Tilzo.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.tilzo.Tilzo.metainfo.xml"
for page in tilzo tilzo-solve; do
    zcat "$usr/share/man/man6/$page.6.gz" | groff -man -ww -z 2>&1 | { if grep .; then echo "from: groff"; exit 1; fi; }
done

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

# The solver answers the boards before a bad one, then names the bad one's line in one line.
solve() { "$usr/games/tilzo-solve" --seconds 0.05 --threads 2 "$@"; }
printf '1 1 2\n2 3 3\n\n1 2\n1\n' >"$tmp/boards"
status=0 && solve --rules standard "$tmp/boards" >"$tmp/out" 2>"$tmp/err" || status=$?
test "$status" -eq 2 && test "$(sed -n 1p "$tmp/out")" = "score 1000" && test "$(wc -l <"$tmp/out")" -eq 2 \
    && test "$(cat "$tmp/err")" = \
        "tilzo-solve: $tmp/boards: board 2, line 5: cells in this row: 1, in the rows above: 2" || {
    echo "tilzo-solve on a bad board: status $status, said:"; cat "$tmp/out" "$tmp/err"; exit 1; }
for bad in "--threads 0" "--rules other" "--seconds -1" "--bogus" "$tmp/boards $tmp/boards"; do
    status=0 && solve $bad </dev/null 2>"$tmp/err" || status=$?
    test "$status" -eq 2 && test "$(wc -l <"$tmp/err")" -eq 1 || { echo "tilzo-solve $bad: status $status"; exit 1; }
done
test "$(printf '1 2\n' | solve --rules standard)" = "$(printf 'score 0\nmoves')"

# A plain install keeps the program in bin/, where PATH finds it.
cmake --install "$build" --prefix "$tmp/local" >/dev/null
test -x "$tmp/local/bin/tilzo" && test -x "$tmp/local/bin/tilzo-solve"
