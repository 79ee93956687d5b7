#!/bin/sh
# Plays tilzo.exe under Wine on a (virtual) display as a player would: the name prompt, a move and its undo,
# Alt+Space left to the system, a new deal, the score reset and quitting; with an installer, the same for copies
# installed for everyone and for the player alone. Usage, on a 1280x1024x24 screen (xvfb-run -s):
#   TILZO_WINEPREFIX=prefix sh tests/windows/game_test.sh FOLDER-WITH-tilzo.exe [tilzo-setup.exe]
set -u
run=$(cd "$(dirname "$0")/../.." && pwd)/tools/wine-run.sh
tmp=$(mktemp -d)
failures=0
trap 'kill ${pid-} 2>/dev/null; rm -rf "$tmp"' EXIT

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    failures=$((failures + 1))
}

die() {
    fail "$@"
    exit 1
}

# Runs COMMAND until it succeeds, for up to SECONDS: within SECONDS COMMAND [ARGS...]
within() {
    end=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# Sets $window to the window titled TITLE, and $x, $y (its client area's top left: Wine draws the frame into
# the X window, 3 px in and 22 down) and $size (the client area's): shown TITLE
shown() {
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    if [ -z "$window" ]; then
        kill -0 "$pid" 2>/dev/null || die "the game ended before a window '$1' appeared"
        return 1
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$((X + 3)) y=$((Y + 22)) size=$((WIDTH - 6))x$((HEIGHT - 25))
}

# Starts EXE and answers the name prompt with TEXT and KEY: play EXE TEXT KEY. Leaves the pointer over the
# game window, as without a window manager the keyboard focus follows it.
play() {
    "$run" "$1" </dev/null >"$tmp/out" 2>&1 &
    pid=$!
    within 30 shown Tilzo || die "no name prompt (a window 'Tilzo') appeared"
    point 40 40
    xdotool type --delay 150 -- "$2"
    xdotool key "$3"
    within 30 shown 'Tilzo v[0-9.]+' || die "no game window after ${2:+$2 and }$3 in the name prompt"
    point 180 400
}

point() { xdotool mousemove --sync $((x + $1)) $((y + $2)); }

# Screenshots the game into NAME.rgb (the client area), NAME.board (the board's pixels) and NAME.cells (a line a
# cell: column, row, client x and y of its centre, R G B there): board NAME [REF same|differ]. Succeeds when all
# 256 cells show the five colours, or with REF when the client areas are the same or the boards differ.
board() {
    import -window "$window" "$tmp/$1.ppm" 2>/dev/null || die "no screenshot of the game window"
    convert "$tmp/$1.ppm" -crop "367x423+3+22" +repage -depth 8 "rgb:$tmp/$1.rgb"
    od -An -v -tu1 -w3 "$tmp/$1.rgb" | awk -v out="$tmp/$1" '
        { x = (NR - 1) % 367; y = int((NR - 1) / 367); fx = int((2 * x + 1) * 364 / 734) }
        { fy = int((2 * y + 1) * 420 / 846) }
        fx < 54 || fx > 309 || fy < 54 || fy > 309 { next }
        { print > (out ".board") }
        (fx - 61) % 16 == 0 && (fy - 61) % 16 == 0 && !seen[fx, fy]++ {
            print (fx - 61) / 16, (fy - 61) / 16, x, y, $1, $2, $3 > (out ".cells") }'
    if [ $# -eq 1 ]; then
        [ "$(awk -v re="$colours" '$5 "," $6 "," $7 ~ re' "$tmp/$1.cells" | wc -l)" -eq 256 ]
    elif [ "$3" = same ]; then
        cmp -s "$tmp/$1.rgb" "$tmp/$2.rgb"
    else
        ! cmp -s "$tmp/$1.board" "$tmp/$2.board"
    fi
}

# Presses KEY (Escape) in the game and expects it to end with status 0: quit WHICH-GAME [KEY]
quit() {
    xdotool key "${2-Escape}"
    within 10 eval '! kill -0 $pid 2>/dev/null' || die "Escape did not end $1"
    wait "$pid" || fail "Escape ended $1 with status $?, not 0"
}

colours='^(213,74,41|45,41,203|68,180,43|213,195,41|164,87,213)$'
printf 'Anynomous1          \000\000\000\000%.0s' 1 2 3 4 5 >"$tmp/reset.dat"
[ -f "${1-}/tilzo.exe" ] && [ -n "${TILZO_WINEPREFIX-}" ] || die "usage: $0 FOLDER [SETUP.exe], TILZO_WINEPREFIX set"
[ -n "${DISPLAY-}" ] || die "no display: run it under xvfb-run"

# A portable copy keeps its table beside itself, created empty when the game starts.
dir=$tmp/portable
mkdir "$dir" && cp "$1/tilzo.exe" "$dir/" || die "cannot copy $1/tilzo.exe to $dir"
play "$dir/tilzo.exe" Ann Return
[ "$size" = 367x423 ] || fail "the game's client area is $size, not 367x423"
[ -f "$dir/high.dat" ] && [ ! -s "$dir/high.dat" ] || fail "no empty high.dat beside the portable copy"

# A deal fills all 256 cells with the five colours; a click on a group removes it, a right click undoes that.
within 4 board first || die "the first board is not 16x16 blocks of the five colours"
at=$(awk '{ rgb[$1, $2] = $5 " " $6 " " $7; xy[$1, $2] = $3 " " $4 }
    END { for (r = 0; r < 16; r++) for (c = 0; c < 16; c++)
        if (rgb[c, r] == rgb[c + 1, r] || rgb[c, r] == rgb[c, r + 1]) { print xy[c, r]; exit } }
    ' "$tmp/first.cells")
[ -n "$at" ] || die "the first board has no two neighbouring blocks of one colour to click"
point $at
xdotool click 1
within 3 board moved first differ || fail "a left click at $at on a group of blocks left the board as it was"
# Alt+Space is the system's: the window menu opens and takes both Escapes (one closes it, one leaves the
# menu), the game stays.
xdotool key --delay 400 alt+space Escape Escape
sleep 0.4
kill -0 "$pid" 2>/dev/null || die "Escape after Alt+Space ended the game: no window menu took it"
within 3 board menu moved same || fail "Alt+Space and Escape changed the game"
point 180 400
xdotool click 3
within 3 board undone first same || fail "a right click did not bring back the board from before the move"

# Keys act on release: Space deals, Shift+Home resets the table ("key shift+Home" lets go of Shift too
# early), Escape quits.
xdotool key space
within 3 board dealt undone differ || fail "Space did not deal a new board"
xdotool keydown shift key Home keyup shift
within 3 cmp -s "$tmp/reset.dat" "$dir/high.dat" || fail "Shift+Home did not reset high.dat"
quit "the game"

# Escape in the prompt still starts the game; its release must not reach the game as a key.
play "$dir/tilzo.exe" "" Escape
sleep 1
kill -0 "$pid" 2>/dev/null || die "the game ended after Escape in the prompt"
quit "the game started with Escape in the prompt"

# The installer carries its version and asks no administrator rights of a player who has none. Installed for
# everyone (/S, then /S /AllUsers over it) or for the player alone (/S /CurrentUser, then /S, which keeps to that
# install): a Start-menu entry, an entry among the installed programs in HKLM or HKCU only, a game that keeps its
# table only in %APPDATA%\Tilzo (and quits with Alt+F4); the uninstaller takes all but the table away.
if [ $# -ge 2 ]; then
    version=${2##*/tilzo-}
    version=${version%-setup.exe}
    tr -d '\000' <"$2" >"$tmp/setup"
    for field in ProductNameTilzo "ProductVersion$version" "FileVersion$version" FileDescriptionTilzo \
        LegalCopyrightMIT 'requestedExecutionLevel level="highestAvailable"'; do
        grep -aqF "$field" "$tmp/setup" || fail "no $field in $2"
    done
    key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tilzo'
    listed() { "$run" reg query "$1\\$key" /v InstallLocation /reg:64 </dev/null 2>/dev/null | grep -q Tilzo; }
    win() { "$run" cmd /c "echo $1" </dev/null | tr -d '\r'; }
    unix() { "$run" winepath -u "$1" </dev/null 2>/dev/null; }
    appdata=$(unix "$(win %APPDATA%)")
    for mode in AllUsers CurrentUser; do
        rm -f "$appdata/Tilzo/high.dat" # one left by an earlier run would pass for this one's
        if [ $mode = AllUsers ]; then
            at='C:\Program Files\Tilzo' root=HKLM other=HKCU menu=$(unix 'C:\ProgramData') first= then=/AllUsers
        else
            at=$(win '%LOCALAPPDATA%\Programs\Tilzo') root=HKCU other=HKLM menu=$appdata first=/CurrentUser then=
        fi
        dir=$(unix "$at")
        link="$menu/Microsoft/Windows/Start Menu/Programs/Tilzo.lnk"
        "$run" "$2" /S $first </dev/null || die "the install /S $first exited with status $?"
        "$run" "$2" /S $then </dev/null || die "the install /S $then over it exited with status $?"
        [ -f "$link" ] || fail "no Start-menu entry $link"
        listed $root || fail "no entry $root\\$key among the installed programs"
        ! listed $other || fail "an entry $other\\$key for an install in $root"
        play "$at\\tilzo.exe" Ann Return
        xdotool keydown shift key Home keyup shift
        within 3 cmp -s "$tmp/reset.dat" "$appdata/Tilzo/high.dat" || fail "the game in $at reset no $appdata/Tilzo"
        quit "the game installed in $at" alt+F4
        [ ! -e "$dir/high.dat" ] || fail "the game installed in $at wrote high.dat beside itself"
        "$run" "$at\\uninstall.exe" /S </dev/null || fail "uninstall /S of $at exited with $?"
        # The uninstaller hands its work to a copy of itself and returns at once.
        within 30 test ! -e "$dir" || fail "$dir is still there 30 s after the uninstall"
        within 3 test ! -e "$link" || fail "the uninstaller left the Start-menu entry $link"
        within 3 eval "! listed $root" || fail "the uninstaller left $root\\$key"
        [ -f "$appdata/Tilzo/high.dat" ] || fail "the uninstaller removed the player's $appdata/Tilzo/high.dat"
    done
fi

[ $failures -eq 0 ] || exit 1
echo "PASS: the game under Wine"
