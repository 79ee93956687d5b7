#!/bin/sh
# Runs one Windows program under Wine without a desktop, for the build, ctest and the GUI checks:
#   wine-run.sh [--default-prefix DIR] PROGRAM [ARGS...]   exit status and output are the program's
#   wine-run.sh [--default-prefix DIR] --stop              ends the prefix's wineserver and its children
# The prefix is $TILZO_WINEPREFIX, else DIR (the toolchain file passes one inside the build folder).
# It is made on first use; several callers may start at once (ctest -j), so setting up holds a lock.
set -eu

me="wine-run.sh"
wine=/usr/lib/wine/wine64        # the /usr/bin/wine script would nag about a missing wine32
fail() {
    echo "$me: $*" >&2
    exit 125
}
# Shows the set-up log, then fails.
fail_log() {
    cat "$log" >&2
    fail "$@"
}

default=
if [ "${1-}" = --default-prefix ]; then
    [ $# -ge 2 ] || fail "--default-prefix needs a folder"
    default=$2
    shift 2
fi
prefix=${TILZO_WINEPREFIX:-$default}
[ -n "$prefix" ] || fail "set TILZO_WINEPREFIX or pass --default-prefix DIR"
[ $# -ge 1 ] || fail "usage: $me [--default-prefix DIR] PROGRAM [ARGS...] | --stop"
case $prefix in
    /*) ;;
    *) prefix=$PWD/$prefix ;;
esac
[ -x "$wine" ] || fail "$wine not found: apt-get install wine64"

export WINEPREFIX="$prefix"
export WINELOADER="$wine"
export WINEDEBUG=-all
# No Mono or Gecko downloads; no menu entries or file associations written into the user's $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ "$1" = --stop ]; then
    [ -d "$prefix" ] || exit 0
    wineserver -k 2>/dev/null || true
    wineserver -w
    exit 0
fi

mkdir -p "$prefix"
# Every child below that may outlive this script gets 9>&-, or it would hold the lock for good.
exec 9>>"$prefix.lock"
flock -w 600 9 || fail "timed out waiting for $prefix.lock"

if [ ! -f "$prefix/.ready" ]; then
    # A half-made prefix from an interrupted run is not worth repairing.
    wineserver -k 2>/dev/null 9>&- || true
    wineserver -w 9>&-
    rm -rf "$prefix"
    mkdir -p "$prefix"
    log=$prefix.log
    echo "$me: creating the Wine prefix $prefix (about 10 s, 700 MB)" >&2
    "$wine" wineboot -i </dev/null >"$log" 2>&1 9>&- || fail_log "wineboot -i failed"
    # Debian's Wine does not look in /usr/share/wine/fonts: without these every face is DejaVu Sans.
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" || fail "could not copy Wine's fonts"
    # Unmanaged windows: with no window manager, each hide or destroy would stall 2 s.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >>"$log" 2>&1 9>&- || fail_log "reg add failed"
    # The registry reaches the disk when the server exits; only then is the prefix complete.
    wineserver -w 9>&-
    grep -q '"Managed"="N"' "$prefix/user.reg" || fail "the X11 Driver setting did not reach user.reg"
    : >"$prefix/.ready"
fi

# A persistent server keeps Wine's background processes alive between programs. It and they are
# started here, away from the caller's output: whatever inherits the first test's pipe keeps ctest
# waiting for it to close (the server keeps its stderr). Exit status 2: a server is already running.
status=0
wineserver -p </dev/null >/dev/null 2>&1 9>&- || status=$?
case $status in
    0) "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&- || fail "Wine does not start" ;;
    2) ;;
    *) fail "wineserver -p failed with status $status" ;;
esac

flock -u 9
exec 9>&-
exec "$wine" "$@"
