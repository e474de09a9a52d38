#!/usr/bin/env bash
# The real program on a private X server with a window manager, watched and driven from outside:
# the splash screen, the window titles, Num Lock, a new loan typed into the chart, an error
# message, the disclaimer panel and "E&xit" from the context menu. Screenshots go to OUTPUT_DIR.
#
# Usage: e2e_window.sh PROGRAM OUTPUT_DIR
# Exit status: 0 all checks passed, 1 a check failed, 77 Xvfb, openbox or xdotool is missing.
# Most functions run indirectly, through check and wait_until.
# shellcheck disable=SC2317
set -uo pipefail

app=${1:?usage: e2e_window.sh PROGRAM OUTPUT_DIR}
out=${2:?usage: e2e_window.sh PROGRAM OUTPUT_DIR}

for tool in Xvfb openbox xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e-window: skipped, $tool is not installed"
        exit 77
    fi
done

readonly splash_title="Compliments of Quindle Software"
readonly main_title="Ratewright Calculator 32, 2.2"
readonly splash_size=413x163
readonly main_size=564x386

passed=0
failed=0
xvfb_pid=
openbox_pid=
app_pid=
app_status=
work=$(mktemp -d "${TMPDIR:-/tmp}/e2e-window.XXXXXX")

stop() { # PID: TERM, then KILL if it is still there after 3 s
    local pid=$1 i
    kill "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 30; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

cleanup() {
    [[ -n $app_pid && -z $app_status ]] && stop "$app_pid"
    [[ -n $openbox_pid ]] && stop "$openbox_pid"
    [[ -n $xvfb_pid ]] && stop "$xvfb_pid"
    if ((failed)) && [[ -s $work/app.log ]]; then
        echo "--- program output ---"
        tail -n 40 "$work/app.log"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

pass() {
    passed=$((passed + 1))
    echo "ok   - $*"
}
fail() {
    failed=$((failed + 1))
    echo "FAIL - $*"
}
check() { # DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
    echo "e2e-window: $passed passed, $failed failed"
    ((failed == 0)) && exit 0
    exit 1
}
abort() { # a check failed that the rest depends on
    fail "$*"
    finish
}

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

wait_until() { # TIMEOUT_MS COMMAND...: polls every 50 ms
    local deadline=$(($(now_ms) + $1))
    shift
    until "$@"; do
        (($(now_ms) >= deadline)) && return 1
        sleep 0.05
    done
}

# --- the X server, the window manager and the settings the program sees ---------------------

for ((n = 90; n < 140; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    # -noreset: Num Lock is read back after the program, the last client, has gone.
    Xvfb ":$n" -noreset -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    server_up() { kill -0 "$xvfb_pid" 2>/dev/null && xdotool getdisplaygeometry >/dev/null 2>&1; }
    if DISPLAY=":$n" wait_until 5000 server_up; then
        export DISPLAY=":$n"
        break
    fi
    stop "$xvfb_pid"
    xvfb_pid=
done
[[ -n $xvfb_pid ]] || abort "no free display between :90 and :139 for Xvfb"
echo "# display $DISPLAY"

# Without a window manager no window is ever active and typing reaches nothing.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 10000 wm_up || abort "openbox did not start"

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
if locale -a 2>/dev/null | grep -qix 'en_US\.utf-\?8'; then
    export LC_ALL=en_US.UTF-8
else
    export LC_ALL=C.UTF-8
fi

numlock() { xset q | sed -n 's/.*Num Lock: *\([a-z]*\).*/\1/p'; }
numlock_is() { [[ $(numlock) == "$1" ]]; }
[[ $(numlock) == on ]] && xdotool key Num_Lock
wait_until 2000 numlock_is off || abort "Num Lock cannot be switched off before the start"

# --- helpers on the program's windows --------------------------------------------------------

size_of() { xwininfo -id "$1" 2>/dev/null | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }'; }
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
origin_of() { # the client area's top-left corner on the screen: "X Y"
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 } END { print x, y }'
}
wm_name() { xdotool getwindowname "$1" 2>/dev/null; }
net_wm_name() { xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p'; }
visible_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null; }
# A root property holding a list of windows, as decimal ids in the property's order.
window_list() { xprop -root "$1" 2>/dev/null | grep -o '0x[0-9a-f]*' | while read -r id; do echo $((id)); done; }
index_in() { # WINDOW LIST...: position of WINDOW in LIST, -1 if absent
    local window=$1 i=0
    shift
    for id in "$@"; do
        [[ $id == "$window" ]] && {
            echo "$i"
            return
        }
        i=$((i + 1))
    done
    echo -1
}
shoot() { import -window root "$1"; }
crop() { # IMAGE W H X Y OUTPUT: a part of a screenshot in client coordinates of the main window
    convert "$1" -crop "$2x$3+$((origin_x + $4))+$((origin_y + $5))" +repage "$6"
}
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 | awk '{ print int($1) }'; }
pixel_at() { # IMAGE X Y in client coordinates of the main window
    convert "$1" -format "%[pixel:p{$((origin_x + $2)),$((origin_y + $3))}]" info:
}
cell_colour() { # IMAGE COL ROW: near a cell's top-left corner, clear of its centred text
    # The grid starts at y 129 behind a 1 px frame; cells are 69 x 20 with 1 px lines.
    pixel_at "$1" $((1 + 70 * $2 + 3)) $((130 + 21 * $3 + 3))
}
cross_in() { # IMAGE: column 4 and row 6 yellow, the other payment cells white, headings silver
    local yellow="srgb(255,255,0)" white="srgb(255,255,255)" silver="srgb(192,192,192)"
    local cell expected actual ok=0
    for cell in "4 6 $yellow" "4 1 $yellow" "4 11 $yellow" "1 6 $yellow" "7 6 $yellow" \
        "3 5 $white" "5 7 $white" "1 1 $white" "7 11 $white" "0 6 $silver" "4 0 $silver"; do
        read -r col row expected <<<"$cell"
        actual=$(cell_colour "$1" "$col" "$row")
        if [[ $actual != "$expected" ]]; then
            echo "#   cell ($col, $row) is $actual, not $expected"
            ok=1
        fi
    done
    return "$ok"
}
click_at() { # X Y BUTTON in client coordinates of the main window
    xdotool mousemove "$((origin_x + $1))" "$((origin_y + $2))"
    sleep 0.1
    xdotool click "$3"
}

splash_came_back=0
splash_gone=0
watch_splash() { # once hidden, the splash screen must stay hidden
    ((splash_gone)) && is_viewable "$splash" && splash_came_back=1
    return 0
}

# --- start-up: splash screen first, then the main window beneath it --------------------------

mkdir -p "$out"
rm -f "$out"/{startup,recalculated,disclaimer,error}.png
start_ms=$(now_ms)
"$app" >"$work/app.log" 2>&1 &
app_pid=$!

splash=
main=
deadline=$((start_ms + 20000))
while [[ -z $splash || -z $main ]] && (($(now_ms) < deadline)); do
    kill -0 "$app_pid" 2>/dev/null || break
    windows=$(visible_windows)
    seen_ms=$(now_ms)
    for w in $windows; do
        case $(size_of "$w") in
        "$splash_size") [[ -z $splash ]] && splash=$w splash_ms=$seen_ms ;;
        "$main_size") [[ -z $main ]] && main=$w main_ms=$seen_ms ;;
        esac
    done
    sleep 0.02
done
[[ -n $splash ]] || abort "a $splash_size splash window is shown"
[[ -n $main ]] || abort "a $main_size main window is shown"
echo "# splash seen after $((splash_ms - start_ms)) ms, main window after $((main_ms - start_ms)) ms"

wm_has_both() {
    mapfile -t clients < <(window_list _NET_CLIENT_LIST)
    (($(index_in "$splash" "${clients[@]}") >= 0 && $(index_in "$main" "${clients[@]}") >= 0))
}
wait_until 5000 wm_has_both
mapfile -t clients < <(window_list _NET_CLIENT_LIST)
# The window manager lists its clients in the order they were mapped.
splash_order=$(index_in "$splash" "${clients[@]}")
main_order=$(index_in "$main" "${clients[@]}")
check "the splash screen is mapped before the main window (mapping order $splash_order < $main_order)" \
    test "$splash_order" -ge 0 -a "$splash_order" -lt "$main_order"

splash_above() {
    mapfile -t stacking < <(window_list _NET_CLIENT_LIST_STACKING)
    local s m
    s=$(index_in "$splash" "${stacking[@]}")
    m=$(index_in "$main" "${stacking[@]}")
    ((s > m && m >= 0))
}
check "the splash screen is above the main window" splash_above

check "main window title is \"$main_title\"" test "$(wm_name "$main")" = "$main_title"
check "main window _NET_WM_NAME is \"$main_title\"" test "$(net_wm_name "$main")" = "$main_title"
check "splash title is \"$splash_title\"" test "$(wm_name "$splash")" = "$splash_title"
check "splash _NET_WM_NAME is \"$splash_title\"" test "$(net_wm_name "$splash")" = "$splash_title"

check "Num Lock is on after the start" wait_until 3000 numlock_is on

read -r origin_x origin_y < <(origin_of "$main")
echo "# main window client area at $origin_x,$origin_y"

# A click on the main window (an empty spot of the toolbar) does not bring it over the splash.
click_at 390 16 1
sleep 0.3
check "the splash screen stays above the main window when the main window is clicked" splash_above

# --- the splash screen goes after about seven seconds ----------------------------------------

splash_hidden() { ! is_viewable "$splash"; }
wait_until $((start_ms + 12000 - $(now_ms))) splash_hidden
gone_ms=$(now_ms)
splash_gone=1
hidden_after=$((gone_ms - start_ms))
echo "# splash hidden $((gone_ms - splash_ms)) ms after it was seen, $hidden_after ms after the start"
check "the splash screen is hidden about 7 s after the start (${hidden_after} ms, accepted 6000-10000)" \
    test "$hidden_after" -ge 6000 -a "$hidden_after" -le 10000

sleep 0.5
watch_splash
active_is_main() { [[ $(xdotool getactivewindow 2>/dev/null) == "$main" ]]; }
check "the main window is the active window" wait_until 3000 active_is_main
shoot "$out/startup.png"
check "the grid shows the yellow cross through column 4 and row 6 at the start" \
    cross_in "$out/startup.png"

# --- a new loan changes the chart ------------------------------------------------------------

# The focus starts in the loan field with its text selected: typing replaces it.
xdotool type --delay 40 150000
xdotool key Tab
sleep 0.8
watch_splash
shoot "$out/recalculated.png"
crop "$out/startup.png" 564 257 0 129 "$work/grid-before.png"
crop "$out/recalculated.png" 564 257 0 129 "$work/grid-after.png"
changed=$(differing_pixels "$work/grid-before.png" "$work/grid-after.png")
check "the grid changes after a new loan ($changed pixels differ)" test "${changed:-0}" -gt 0
# The amounts of the start-up chart read the same as the placeholders: only the typed loan
# changes this column.
crop "$out/startup.png" 69 230 0 150 "$work/amounts-before.png"
crop "$out/recalculated.png" 69 230 0 150 "$work/amounts-after.png"
changed=$(differing_pixels "$work/amounts-before.png" "$work/amounts-after.png")
check "the loan amounts column follows the typed loan ($changed pixels differ)" test "${changed:-0}" -gt 0
check "the yellow cross is still at column 4 and row 6 after the new loan" \
    cross_in "$out/recalculated.png"

# --- an error message: a term of 0 years -----------------------------------------------------

message_box=
find_message_box() {
    for w in $(visible_windows); do
        [[ $w == "$main" || $w == "$splash" ]] && continue
        [[ $(wm_name "$w") == Information ]] && {
            message_box=$w
            return 0
        }
    done
    return 1
}
# Tab put the focus into the term field with its text selected.
xdotool type --delay 40 0
xdotool key Tab
if wait_until 5000 find_message_box; then
    pass "a message box titled \"Information\" opens for a term of 0"
    sleep 0.5
    shoot "$out/error.png"
    xdotool key Return
    box_closed() { ! is_viewable "$message_box"; }
    check "Return closes the message box" wait_until 5000 box_closed
else
    fail "a message box titled \"Information\" opens for a term of 0"
    shoot "$out/error.png"
fi
sleep 0.5
watch_splash

# --- the disclaimer panel from the toolbar's information button ------------------------------

shoot "$work/before-disclaimer.png"
click_at $((449 + 12)) $((4 + 12)) 1
sleep 0.6
shoot "$out/disclaimer.png"
crop "$work/before-disclaimer.png" 564 97 0 32 "$work/inputs-before.png"
crop "$out/disclaimer.png" 564 97 0 32 "$work/inputs-disclaimer.png"
changed=$(differing_pixels "$work/inputs-before.png" "$work/inputs-disclaimer.png")
check "the information button shows the disclaimer over the inputs ($changed pixels differ)" \
    test "${changed:-0}" -gt 0
click_at $((4 + 413 + 62)) $((36 + 49 + 15)) 1 # "  I Agree"
sleep 0.6
shoot "$work/agreed.png"
crop "$work/agreed.png" 564 97 0 32 "$work/inputs-agreed.png"
changed=$(differing_pixels "$work/inputs-disclaimer.png" "$work/inputs-agreed.png")
check "\"  I Agree\" hides the disclaimer ($changed pixels differ)" test "${changed:-0}" -gt 0
watch_splash
check "the splash screen does not come back" test "$splash_came_back" -eq 0

# --- "E&xit" from the context menu ends the program ------------------------------------------

click_at 300 300 3
sleep 0.6
xdotool key x
app_gone() { ! kill -0 "$app_pid" 2>/dev/null; }
if wait_until 10000 app_gone; then
    wait "$app_pid"
    app_status=$?
    check "\"E&xit\" in the context menu ends the program with status 0 (status $app_status)" \
        test "$app_status" -eq 0
else
    fail "\"E&xit\" in the context menu ends the program"
fi
check "Num Lock is still on after the program has ended" numlock_is on
echo "# total $(($(now_ms) - start_ms)) ms since the program was started"
finish
