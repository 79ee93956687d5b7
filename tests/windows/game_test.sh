#!/bin/sh
# Plays tilzo.exe under Wine on a virtual display as a player would: the name prompt, a move and its undo,
# a new deal, the score reset and quitting; with an installer, the same for an installed copy. Usage:
#   TILZO_WINEPREFIX=prefix sh tests/windows/game_test.sh FOLDER-WITH-tilzo.exe [tilzo-setup.exe]
set -u

. "$(dirname "$0")/gui.sh"
failures=0

# A window 'Tilzo' left open (an error box, or the prompt) explains a game that stopped answering.
fail() {
    [ -z "$GUI_XVFB_PID" ] || ! xdotool search --onlyvisible --name '^Tilzo$' >/dev/null 2>&1 ||
        set -- "$@" "(a window 'Tilzo' is open)"
    echo "FAIL: $*" >&2
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

# Starts EXE and answers the name prompt by typing TEXT and pressing KEY: play EXE TEXT KEY. Sets $game to
# the game window and leaves the pointer over it, so that keys reach it.
play() {
    gui_start "$1" || die "could not start $1"
    prompt=$(gui_wait_window Tilzo) || die "no name prompt (a window 'Tilzo') appeared"
    gui_client "$prompt" && gui_point 40 40 || die "cannot point at the name prompt"
    gui_type "$2" && gui_key "$3" || die "cannot answer the name prompt"
    game=$(gui_wait_window 'Tilzo v1.02') || die "no game window after ${2:+$2 and }$3 in the name prompt"
    gui_client "$game" && gui_point 180 400 || die "cannot point at the game window"
}

# Screenshots the game into NAME.board (the board's pixels) and NAME.cells (a line a cell: column, row,
# client x and y of its centre, R G B there): board NAME [REF same|differ]. Succeeds when all 256 cells show
# the five colours, or with REF when the boards are the same or differ as asked.
# Client pixel x shows frame pixel (2x+1)*364/734, y likewise.
board() {
    gui_screenshot "$game" "$GUI_TMP/$1.ppm" || die "no screenshot of the game window"
    convert "$GUI_TMP/$1.ppm" -crop "367x423+$GUI_FRAME_X+$GUI_FRAME_Y" +repage -depth 8 rgb:- |
        od -An -v -tu1 -w3 | awk -v out="$GUI_TMP/$1" '
        { x = (NR - 1) % 367; y = int((NR - 1) / 367); fx = int((2 * x + 1) * 364 / 734) }
        { fy = int((2 * y + 1) * 420 / 846) }
        fx < 54 || fx > 309 || fy < 54 || fy > 309 { next }
        { print > (out ".board") }
        (fx - 61) % 16 == 0 && (fy - 61) % 16 == 0 && !seen[fx, fy]++ {
            print (fx - 61) / 16, (fy - 61) / 16, x, y, $1, $2, $3 > (out ".cells") }'
    if [ $# -eq 1 ]; then
        [ "$(awk -v re="$colours" '$5 "," $6 "," $7 ~ re' "$GUI_TMP/$1.cells" | wc -l)" -eq 256 ]
    else
        [ "$(cmp -s "$GUI_TMP/$1.board" "$GUI_TMP/$2.board" && echo same || echo differ)" = "$3" ]
    fi
}

# Presses Escape in the game and expects it to end with status 0: quit WHICH-GAME
quit() {
    gui_key Escape || die "cannot press Escape in $1"
    status=0
    gui_wait_exit 10 || status=$?
    [ $status -eq 0 ] || fail "Escape in $1 ended it with status $status, not 0"
}

colours='^(213,74,41|45,41,203|68,180,43|213,195,41|164,87,213)$'
printf 'Anynomous1          \000\000\000\000%.0s' 1 2 3 4 5 >"$GUI_TMP/reset.dat"

[ -f "${1-}/tilzo.exe" ] || die "usage: $0 FOLDER-WITH-tilzo.exe [SETUP.exe], with TILZO_WINEPREFIX set"
[ -n "${TILZO_WINEPREFIX-}" ] || die "set TILZO_WINEPREFIX to a Wine prefix"

# A portable copy keeps its table beside itself, created empty when the game starts.
dir=$GUI_TMP/portable
mkdir "$dir" && cp "$1/tilzo.exe" "$dir/" || die "cannot copy $1/tilzo.exe to $dir"
gui_start_display || die "no virtual display"
play "$dir/tilzo.exe" Ann Return
[ "${GUI_CW}x$GUI_CH" = 367x423 ] || fail "the game's client area is ${GUI_CW}x$GUI_CH, not 367x423"
[ -f "$dir/high.dat" ] && [ ! -s "$dir/high.dat" ] || fail "no empty high.dat beside the portable copy"

# A deal fills all 256 cells with the five colours; a click on a group removes it, a right click undoes that.
within 4 board first || die "the first board is not 16x16 blocks of the five colours; cell centres:" \
    "$(awk '{ printf "%s,%s=%s,%s,%s ", $1, $2, $5, $6, $7 }' "$GUI_TMP/first.cells")"
at=$(awk '{ rgb[$1, $2] = $5 " " $6 " " $7; xy[$1, $2] = $3 " " $4 }
    END { for (r = 0; r < 16; r++) for (c = 0; c < 16; c++)
        if (rgb[c, r] == rgb[c + 1, r] || rgb[c, r] == rgb[c, r + 1]) { print xy[c, r]; exit } }
    ' "$GUI_TMP/first.cells")
[ -n "$at" ] || die "the first board has no two neighbouring blocks of one colour to click"
gui_click "${at% *}" "${at#* }" || die "cannot click at $at"
within 3 board moved first differ || fail "a left click at $at on a group of blocks left the board as it was"
gui_click 180 400 right || die "cannot right-click below the board"
within 3 board undone first same || fail "a right click did not bring back the board from before the move"

# Keys act on release: Space deals, Shift+Home resets the table, Escape quits.
gui_key space || die "cannot press Space"
within 3 board dealt undone differ || fail "Space did not deal a new board"
gui_shift_key Home || die "cannot press Shift+Home"
within 3 cmp -s "$GUI_TMP/reset.dat" "$dir/high.dat" ||
    fail "Shift+Home did not reset high.dat, which holds $(wc -c <"$dir/high.dat") bytes"
quit "the game"

# Escape in the prompt still starts the game; its release must not reach the game as a key.
play "$dir/tilzo.exe" "" Escape
sleep 1
xwininfo -id "$game" 2>/dev/null | grep -q IsViewable || die "the game closed after Escape in the prompt"
quit "the game started with Escape in the prompt"

# An installed copy keeps its table only in %APPDATA%\Tilzo; it has a Start-menu entry and an entry among the
# installed programs, and the uninstaller takes all three away and leaves the table.
if [ $# -ge 2 ]; then
    installed="$TILZO_WINEPREFIX/drive_c/Program Files/Tilzo"
    link="$TILZO_WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tilzo.lnk"
    key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tilzo'
    listed() { "$GUI_WINE_RUN" reg query "$key" /v InstallLocation /reg:64 </dev/null 2>/dev/null | grep -q Tilzo; }
    appdata=$("$GUI_WINE_RUN" cmd /c 'echo %APPDATA%' </dev/null | tr -d '\r')
    appdata=$("$GUI_WINE_RUN" winepath -u "$appdata" </dev/null 2>/dev/null)
    [ -d "$appdata" ] || die "no %APPDATA% folder in $TILZO_WINEPREFIX"
    # One left by an earlier run would pass for this one's.
    rm -f "$appdata/Tilzo/high.dat"
    "$GUI_WINE_RUN" "$2" /S </dev/null || die "the silent install exited with status $?"
    [ -f "$link" ] || fail "no Start-menu entry $link"
    listed || fail "no entry $key among the installed programs"
    play 'C:\Program Files\Tilzo\tilzo.exe' Ann Return
    gui_shift_key Home || die "cannot press Shift+Home in the installed game"
    within 3 cmp -s "$GUI_TMP/reset.dat" "$appdata/Tilzo/high.dat" ||
        fail "Shift+Home in the installed game did not reset $appdata/Tilzo/high.dat"
    quit "the installed game"
    [ ! -e "$installed/high.dat" ] || fail "the installed game wrote high.dat beside itself in $installed"
    "$GUI_WINE_RUN" 'C:\Program Files\Tilzo\uninstall.exe' /S </dev/null || fail "uninstall /S exited with $?"
    # The uninstaller hands its work to a copy of itself and returns at once.
    within 30 test ! -e "$installed" || fail "$installed is still there 30 s after the uninstall"
    [ ! -e "$link" ] || fail "the uninstaller left the Start-menu entry $link"
    ! listed || fail "the uninstaller left $key"
    [ -f "$appdata/Tilzo/high.dat" ] || fail "the uninstaller removed the player's $appdata/Tilzo/high.dat"
fi

[ $failures -eq 0 ] || exit 1
echo "PASS: the game under Wine"
