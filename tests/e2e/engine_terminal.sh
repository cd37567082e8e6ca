#!/usr/bin/env bash
# The engine on terminals that are not 80x25 or change size during a run, and
# keys typed past the end prompt. Each case starts the engine in a tmux pane
# of its own, from a shell that printed a line first.
set -euo pipefail
engine=$1
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }

work=$(mktemp -d)
sock=$work/tmux.sock
tm() { LC_ALL=C.UTF-8 tmux -u -S "$sock" -f "$work/tmux.conf" "$@"; }
trap 'tm kill-server >/dev/null 2>&1 || true; sleep 0.2; rm -rf "$work" 2>/dev/null || true' EXIT
echo "set -g status off" > "$work/tmux.conf"

status="             程序正在运行. 按 t 键可退出分解(Press t exit)"
screen() { tm capture-pane -p -t "$case"; }
row() { screen | sed -n "${1}p"; }
fail() { echo "FAIL ($case): $*"; echo "--- screen:"; screen || true; exit 1; }
wait_for() {  # wait_for <text>: until the screen shows it
    for _ in $(seq 200); do
        screen | grep -qF -- "$1" && return 0
        sleep 0.1
    done
    fail "the screen never showed '$1'"
}
wait_row() {  # wait_row <row> <text>: until that row shows exactly the text
    for _ in $(seq 200); do
        [ "$(row "$1")" = "$2" ] && return 0
        sleep 0.1
    done
    fail "row $1 never showed '$2' (it shows '$(row "$1")')"
}
start() {  # start <columns> <rows> [shell after the engine]: the engine on the slow search
    tm new-session -d -x "$1" -y "$2" -s "$case" -c "$work" \
        "bash -c 'echo SHELL TEXT; YINSHI_PLAIN_WALK=1 \"$engine\"; ${3:-sleep 60}'"
    tm set-option -t "$case" window-size manual
}
# The status line is on the terminal's last row, or gone; never beside other text.
status_in_place() {  # status_in_place <rows>
    local n
    n=$(screen | grep -nF "程序正在运行" | cut -d: -f1 || true)
    [ -z "$n" ] || [ "$n" = "$1" ] || fail "the status line is on row $n"
    screen | grep -qF "SHELL TEXT" && fail "the shell's text is back on the screen"
    return 0
}

# A search that runs until t is pressed: degree 16, large coefficients, a0 =
# 30 with its many divisor pairs, and the plain walk, which exact factoring
# would otherwise cut short. With a0 = 1 it ended in well under a second, and a
# busy machine could see it end before the resizes it is meant to outlast.
poly="x^16"
for ((k = 15; k >= 1; k--)); do poly="$poly+$((99000 - k))x^$k"; done
printf '"%s+30"\r\n' "$poly" > "$work/DXS.DAT"

# Made larger during the search: still drawn at the top left, the status line
# on row 25, and the closing display shows the transcript.
case=larger
start 80 25
wait_row 25 "$status"
tm resize-window -t "$case" -x 120 -y 40
sleep 0.3
status_in_place 25
tm send-keys -t "$case" t
wait_for "Anew decompose y/n ?"
tm send-keys -t "$case" n
wait_for "Press any key after reading"
# Every line of the transcript is shown again (compared without blanks: the
# screen wraps them at column 80).
shown=$(screen | tr -d ' \n')
while IFS= read -r line; do
    line=$(printf '%s' "$line" | tr -d ' \r')
    [[ $shown == *"$line"* ]] || fail "the closing display lacks the transcript's line '$line'"
done < "$work/jg.dat"
[ -z "$(screen | sed -n '26,40p' | tr -d ' \n')" ] || fail "text below row 25"

# Made small and back during the search: the screen is drawn again whole.
case=back
start 80 25
wait_row 25 "$status"
tm resize-window -t "$case" -x 40 -y 10
sleep 0.3
tm resize-window -t "$case" -x 80 -y 25
sleep 0.3
status_in_place 25
tm send-keys -t "$case" t
wait_for "Anew decompose y/n ?"
status_in_place 25

# Smaller from the start: said once, the status line on the last row, rows cut
# at the right edge, and the end prompt shown.
case=small
start 40 10
wait_row 1 "终端需要 80 列、25 行"
[ "$(row 2)" = "The terminal needs 80 columns, 25 rows." ] || fail "no English notice on row 2"
wait_row 10 "             程序正在运行. 按 t 键可退出"
tm send-keys -t "$case" t
wait_for "Anew decompose y/n ?"
tm send-keys -t "$case" n
wait_for "Press any key after reading"
status_in_place 10
case=short
start 80 24
wait_row 1 "终端需要 80 列、25 行"
wait_row 24 "$status"
tm send-keys -t "$case" t
wait_for "Anew decompose y/n ?"
[ "$(screen | grep -cF "The terminal needs 80 columns, 25 rows.")" -le 1 ] || fail "the notice was said twice"
screen | grep -F "Anew decompose y/n ?" | grep -qF "程序" && fail "the question shares a row with the status line"

# Keys typed past the end prompt are not left for the shell.
case=ahead
printf '"x^2+3x+2"\r\n' > "$work/DXS.DAT"
start 80 25 'read -r -t 1 -n 40 rest || true; echo "LEFT[$rest]"; sleep 60'
wait_for "do you want to look at another solution? y/n"
# All in one go, so that they are typed before the engine ends.
tm send-keys -t "$case" nzxxxxxxxxx
wait_for "Press any key after reading"
wait_for "LEFT["
screen | grep -qF "LEFT[]" || fail "keys typed ahead reached the shell: $(screen | grep -F 'LEFT[')"

echo "engine on other terminals: all cases passed"
