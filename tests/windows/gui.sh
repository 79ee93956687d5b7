# Black-box GUI checks of a Win32 program under Wine on a virtual X display. Sourced by a sh script:
#   . tests/windows/gui.sh
#   gui_start_display
#   gui_start build-windows/tilzo.exe
#   win=$(gui_wait_window 'Tilzo')
#   gui_client "$win"
#   gui_click 10 20
#   gui_screenshot "$win" shot.png
#   gui_wait_exit 10 || status=$?
# Every function returns non-zero with a "gui: ..." line on stderr when it fails; every wait has a
# time-out. The program runs through tools/wine-run.sh ($GUI_WINE_RUN), in $TILZO_WINEPREFIX.
# Xvfb and the program are ended when the script exits. The prefix's wineserver is left running,
# as other tests may be using it (ctest -j): whoever runs the tests ends it with wine-run.sh --stop.
# Wine's processes that were on this display leave with it; the next program starts new ones.

: "${GUI_WINE_RUN:=$(cd "$(dirname "$0")/../.." && pwd)/tools/wine-run.sh}"
# Unmanaged, Wine draws the frame into the X window itself: the client area of a window with a
# caption and a fixed-size border starts 3 px in and 22 px down.
: "${GUI_FRAME_X:=3}"
: "${GUI_FRAME_Y:=22}"
GUI_TMP=$(mktemp -d "${TMPDIR:-/tmp}/gui.XXXXXX")
GUI_XVFB_PID=
GUI_PID=
GUI_WIN=
GUI_CX=
GUI_CY=
GUI_CW=
GUI_CH=

# Returns 1, so "check || _gui_fail message || return" ends the calling function with 1.
_gui_fail() {
    echo "gui: $*" >&2
    return 1
}

# True while the process runs; a child that has exited stays a zombie until waited for.
_gui_alive() {
    [ -r "/proc/$1/stat" ] || return 1
    [ "$(sed -n 's/^.*) \(.\).*$/\1/p' "/proc/$1/stat")" != Z ]
}

# Each step may fail on its own (set -e callers too): the rest still has to happen.
gui_cleanup() {
    if [ -n "$GUI_PID" ]; then
        kill "$GUI_PID" 2>/dev/null || true
        wait "$GUI_PID" 2>/dev/null || true
        GUI_PID=
    fi
    if [ -n "$GUI_XVFB_PID" ]; then
        kill "$GUI_XVFB_PID" 2>/dev/null || true
        wait "$GUI_XVFB_PID" 2>/dev/null || true
        GUI_XVFB_PID=
    fi
    rm -rf "$GUI_TMP"
}
trap gui_cleanup EXIT
trap 'exit 130' INT TERM HUP

# Starts Xvfb on a display nobody uses (it picks the number) and exports DISPLAY.
gui_start_display() {
    command -v Xvfb >/dev/null || _gui_fail "Xvfb is not installed" || return
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$GUI_TMP/display" >"$GUI_TMP/xvfb.log" 2>&1 </dev/null &
    GUI_XVFB_PID=$!
    _n=0
    until grep -qx '[0-9][0-9]*' "$GUI_TMP/display" 2>/dev/null; do
        if ! _gui_alive "$GUI_XVFB_PID" || [ $_n -ge 100 ]; then
            cat "$GUI_TMP/xvfb.log" >&2
            _gui_fail "Xvfb did not start within 10 s"
            return 1
        fi
        _n=$((_n + 1))
        sleep 0.1
    done
    DISPLAY=:$(cat "$GUI_TMP/display")
    export DISPLAY
}

# Starts the program in the background; its output is kept for gui_output and gui_errors.
gui_start() {
    [ -n "${DISPLAY-}" ] || _gui_fail "no DISPLAY: call gui_start_display first" || return
    [ -z "$GUI_PID" ] || _gui_fail "a program is already running" || return
    "$GUI_WINE_RUN" "$@" </dev/null >"$GUI_TMP/stdout" 2>"$GUI_TMP/stderr" &
    GUI_PID=$!
}

# Prints the X id of the visible window whose title is TITLE (a regular expression, anchored).
# Polls rather than using xdotool's --sync: a program that dies fails the wait at once.
gui_wait_window() {
    _t=${2:-30}
    _n=0
    while :; do
        _id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
        [ -z "$_id" ] || break
        if [ -n "$GUI_PID" ] && ! _gui_alive "$GUI_PID"; then
            cat "$GUI_TMP/stderr" >&2
            _gui_fail "the program exited before a window '$1' appeared"
            return 1
        fi
        if [ $_n -ge $((_t * 10)) ]; then
            _gui_fail "no window '$1' within $_t s"
            return 1
        fi
        _n=$((_n + 1))
        sleep 0.1
    done
    echo "$_id"
}

# Makes WIN the window that gui_click addresses: sets GUI_CX, GUI_CY (the client area's top left on
# the screen), GUI_CW and GUI_CH (its size).
gui_client() {
    _geo=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) || _gui_fail "no window $1" || return
    _x=$(echo "$_geo" | sed -n 's/^X=//p')
    _y=$(echo "$_geo" | sed -n 's/^Y=//p')
    _w=$(echo "$_geo" | sed -n 's/^WIDTH=//p')
    _h=$(echo "$_geo" | sed -n 's/^HEIGHT=//p')
    GUI_WIN=$1
    GUI_CX=$((_x + GUI_FRAME_X))
    GUI_CY=$((_y + GUI_FRAME_Y))
    GUI_CW=$((_w - 2 * GUI_FRAME_X))
    GUI_CH=$((_h - GUI_FRAME_Y - GUI_FRAME_X))
}

# Moves the pointer to client coordinates X Y of the window from gui_client. Without a window manager
# the keyboard focus follows the pointer: point at a window before typing into it.
gui_point() {
    [ -n "$GUI_WIN" ] || _gui_fail "call gui_client first" || return
    timeout 5 xdotool mousemove --sync $((GUI_CX + $1)) $((GUI_CY + $2)) ||
        _gui_fail "could not move the pointer to $1,$2" || return
}

# Clicks at client coordinates X Y: gui_click X Y [left|right]
gui_click() {
    case ${3:-left} in
        left) _b=1 ;;
        right) _b=3 ;;
        *) _gui_fail "no mouse button '$3'"; return 1 ;;
    esac
    gui_point "$1" "$2" || return 1
    xdotool click "$_b" || _gui_fail "click $3 at $1,$2 failed" || return
}

# Types TEXT into the window under the pointer; a short delay drops non-ASCII characters.
gui_type() {
    xdotool type --delay 150 -- "$1" || _gui_fail "typing '$1' failed" || return
}

# Presses and releases each key in turn: gui_key Return, gui_key ctrl+a Delete
gui_key() {
    xdotool key --delay 100 "$@" || _gui_fail "keys $* failed" || return
}

# KEY with Shift held: "xdotool key shift+Home" lets go of Shift before Home arrives.
gui_shift_key() {
    xdotool keydown shift key "$1" keyup shift || _gui_fail "shift+$1 failed" || return
}

# Saves a picture of the window WIN (frame included) in FILE, e.g. a .png.
gui_screenshot() {
    if ! import -window "$1" "$2" 2>"$GUI_TMP/import.log" || [ ! -s "$2" ]; then
        cat "$GUI_TMP/import.log" >&2
        _gui_fail "no screenshot of window $1"
        return 1
    fi
}

# Waits up to SECONDS (default 10) for the program to exit and returns its exit status; on time-out
# it ends the program and returns 124.
gui_wait_exit() {
    [ -n "$GUI_PID" ] || _gui_fail "no program running" || return
    _t=${1:-10}
    _n=0
    while _gui_alive "$GUI_PID"; do
        if [ $_n -ge $((_t * 10)) ]; then
            _gui_fail "the program did not exit within $_t s"
            kill "$GUI_PID" 2>/dev/null
            wait "$GUI_PID" 2>/dev/null
            GUI_PID=
            return 124
        fi
        _n=$((_n + 1))
        sleep 0.1
    done
    _st=0
    wait "$GUI_PID" || _st=$?
    GUI_PID=
    return $_st
}
