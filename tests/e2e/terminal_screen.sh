#!/usr/bin/env bash
# Runs the screen demo in an 80x25 tmux pane and reads the screen back: text,
# wrapping of wide characters, colours, the status line on row 25, scrolling.
# Then ends it four ways (a key, SIGTERM, Ctrl-C, an uncaught exception) and
# checks each time that the terminal got its mode, scrolling region and
# colours back.
set -euo pipefail
demo=$1
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }

work=$(mktemp -d)
runs=0
sock=$work/tmux0.sock
tm() { LC_ALL=C.UTF-8 tmux -u -S "$sock" -f "$work/tmux.conf" "$@"; }
trap 'tm kill-server >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
echo "set -g status off" > "$work/tmux.conf"

fail() { echo "FAIL ($case): $*"; echo "--- screen:"; tm capture-pane -p -t demo || true; exit 1; }
row() { tm capture-pane -p -t demo | sed -n "${1}p"; }
wait_for() {  # wait_for <row> <text>: until that row shows the text
    for _ in $(seq 100); do
        [ "$(row "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "row $1 never showed '$2' (it shows '$(row "$1")')"
}
flag_set() { grep -Eq "(^| )$2( |$)" "$1"; }

start() {  # start <demo args...>: the demo, then what a shell sees after it
    rm -f "$work"/pid "$work"/rc "$work"/stty
    tm kill-server >/dev/null 2>&1 || true
    runs=$((runs + 1))
    sock=$work/tmux$runs.sock  # a fresh server each time: the old one may still be going
    tm new-session -d -x 80 -y 25 -s demo \
        "bash -c 'trap : INT; \"$demo\" \"$work/pid\" $*; echo \$? > \"$work/rc\"; stty -a > \"$work/stty\"; seq 1 30; printf done; sleep 60'"
    wait_for 24 "press a key"
}

check_screen() {
    [ "$(tm display -p -t demo '#{pane_width}x#{pane_height}')" = 80x25 ] || fail "pane is not 80x25"
    wait_for 25 "             程序正在运行. 按 t 键可退出分解(Press t exit)"
    [ "$(row 1)" = "line 11" ] || fail "rows 1-24 did not scroll: row 1 is '$(row 1)'"
    [ "$(row 20)" = "line 30" ] || fail "row 20 is '$(row 20)'"
    [ "$(row 21)" = "中文中文X" ] || fail "double-width characters misplaced: '$(row 21)'"
    [ "$(row 23)" = "" ] || fail "row 23 should be blank"
    local colours
    colours=$(tm capture-pane -e -p -t demo | sed -n 22p)
    [[ $colours == *$'\e[92m\e[47m绿色 on white'* ]] || fail "light green on white missing: $(printf %q "$colours")"
    colours=$(tm capture-pane -e -p -t demo | sed -n 25p)
    [[ $colours == *$'\e[32m程序正在运行'* ]] || fail "green status line missing"
    local tty
    tty=$(tm display -p -t demo '#{pane_tty}')
    stty -F "$tty" -a > "$work/during"
    flag_set "$work/during" -echo || fail "echo is on while the program runs"
    flag_set "$work/during" -icanon || fail "canonical mode while the program runs"
}

check_restored() {  # check_restored <exit status>
    for _ in $(seq 100); do [ -s "$work/stty" ] && break; sleep 0.1; done
    [ -s "$work/stty" ] || fail "the program did not end"
    [ "$(cat "$work/rc")" = "$1" ] || fail "exit status $(cat "$work/rc"), expected $1"
    flag_set "$work/stty" echo || fail "echo not restored"
    flag_set "$work/stty" icanon || fail "canonical mode not restored"
    # With the scrolling region back to the whole screen, the shell's output
    # scrolls row 25 away, in plain colours.
    wait_for 25 "done"
    [ "$(tm capture-pane -e -p -t demo | sed -n 25p)" = "done" ] || fail "colours not reset"
}

case="a key"
start
check_screen
tm send-keys -t demo y
sleep 0.3
check_restored 0

case="SIGTERM"
start
kill -TERM "$(cat "$work/pid")"
check_restored 143

case="Ctrl-C"
start
tm send-keys -t demo C-c
check_restored 130

case="uncaught exception"
start throw
tm send-keys -t demo n
check_restored 134

echo "terminal screen: all cases passed"
