#!/bin/sh
# Installs the Windows installer silently under Wine, checks what it left, uninstalls, checks it is gone
# and that the player's scores stayed. Usage (TILZO_WINEPREFIX names the prefix to install into):
#   installer_test.sh tilzo-<version>-setup.exe tilzo.exe <version>
set -eu

die() {
    echo "FAIL: $*" >&2
    exit 1
}

[ $# -eq 3 ] || die "usage: $0 SETUP.exe tilzo.exe VERSION"
setup=$1
exe=$2
version=$3
: "${TILZO_WINEPREFIX:?set TILZO_WINEPREFIX}"
run=$(cd "$(dirname "$0")/../.." && pwd)/tools/wine-run.sh
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tilzo'
drive_c=$TILZO_WINEPREFIX/drive_c
dir="$drive_c/Program Files/Tilzo"
link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tilzo.lnk"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Prints the data of one value of the key, or nothing when the value or the key is missing.
value() {
    "$run" reg query "$key" /v "$1" /reg:64 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'
}

expect_value() {
    got=$(value "$1")
    [ "$got" = "$2" ] || fail "$1 is '$got', expected '$2'"
}

# Scores from an earlier install must outlive the uninstaller.
appdata=$("$run" cmd /c 'echo %APPDATA%' </dev/null | tr -d '\r')
appdata=$("$run" winepath -u "$appdata" </dev/null 2>/dev/null)
[ -d "$appdata" ] || die "no %APPDATA% folder in $TILZO_WINEPREFIX"
scores=$appdata/Tilzo/scores.txt
mkdir -p "$appdata/Tilzo"
echo "1000 Ann" >"$scores"

"$run" "$setup" /S </dev/null || die "the silent install exited with $?"

cmp -s "$exe" "$dir/tilzo.exe" || fail "$dir/tilzo.exe is missing or not the built one"
[ -s "$dir/readme.txt" ] || fail "$dir/readme.txt is missing or empty"
[ -f "$dir/uninstall.exe" ] || fail "$dir/uninstall.exe is missing"
[ -f "$link" ] || fail "no Start-menu shortcut $link"
expect_value DisplayName Tilzo
expect_value DisplayVersion "$version"
expect_value Publisher "The Tilzo developers"
expect_value InstallLocation 'C:\Program Files\Tilzo'
expect_value UninstallString '"C:\Program Files\Tilzo\uninstall.exe"'
expect_value QuietUninstallString '"C:\Program Files\Tilzo\uninstall.exe" /S'
expect_value DisplayIcon 'C:\Program Files\Tilzo\tilzo.exe,0'
expect_value NoModify 0x1
expect_value NoRepair 0x1
size=$(value EstimatedSize)
case $size in
    0x0 | "") fail "EstimatedSize is '$size'" ;;
esac

# The uninstaller copies itself to %TEMP% and returns at once; the copy does the work, so this polls
# until the folder and the key are gone. (wineserver -w would wait for good: the server is persistent.)
"$run" 'C:\Program Files\Tilzo\uninstall.exe' /S </dev/null || fail "the silent uninstall exited with $?"
tries=0
while [ -e "$dir" ] || [ -n "$(value DisplayName)" ]; do
    tries=$((tries + 1))
    [ $tries -le 60 ] || break
    sleep 0.5
done
[ -z "$(value DisplayName)" ] || fail "the uninstaller left $key"
[ ! -e "$dir" ] || fail "$dir is still there: $(ls -A "$dir" | tr '\n' ' ')"
[ ! -e "$link" ] || fail "the shortcut $link is still there"
[ -f "$scores" ] || fail "the uninstaller removed the player's scores $scores"
rm -f "$scores"

if [ $failures -eq 0 ]; then
    echo "installer: install, contents, registry and uninstall as expected"
else
    echo "installer: $failures failures" >&2
    exit 1
fi
