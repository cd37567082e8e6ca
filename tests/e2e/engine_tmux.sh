#!/usr/bin/env bash
# The engine as a person sees it: in an 80x25 tmux pane, the title in its place,
# the status line on row 25 while a slow search runs, t to stop it, the
# closing questions and the end prompt.
set -euo pipefail
n=0
# The engine as the window program starts it, in a terminal window of its own.
export YINSHI_OWN_WINDOW=1
engine=$1
command -v tmux >/dev/null || { echo "tmux is not installed: skipped"; exit 77; }

work=$(mktemp -d)
sock=$work/tmux.sock
tm() { LC_ALL=C.UTF-8 tmux -u -S "$sock" -f "$work/tmux.conf" "$@"; }
trap 'tm kill-server >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
echo "set -g status off" > "$work/tmux.conf"

screen() { tm capture-pane -p -t "${pane:-engine}"; }
fail() { echo "FAIL: $*"; echo "--- screen:"; screen || true; exit 1; }
wait_for() {  # wait_for <text>: until the screen shows it
    for _ in $(seq 200); do
        screen | grep -qF -- "$1" && return 0
        sleep 0.1
    done
    fail "the screen never showed '$1'"
}

# A search that takes seconds: degree 16, large coefficients, a0 = 1, and the
# plain walk, which exact factoring would otherwise cut short.
poly="x^16"
for ((k = 15; k >= 1; k--)); do poly="$poly+$((99000 - k))x^$k"; done
poly="$poly+1"
printf '"%s"\r\n' "$poly" > "$work/DXS.DAT"

tm new-session -d -x 80 -y 25 -s engine -c "$work" "bash -c 'YINSHI_PLAIN_WALK=1 \"$engine\"; echo \$? > \"$work/rc\"; sleep 60'"
wait_for "因 式 分 解"
title=$(screen | sed -n 4p)
[ "${title:0:29}" = "$(printf '%29s' '')" ] && [ "${title:29:5}" = "因 式 分" ] || fail "title not at row 4 column 30: '$title'"
[ "$(screen | sed -n 5p)" = "                            -------------" ] || fail "rule not at row 5 column 29"

wait_for "程序正在运行. 按 t 键可退出分解(Press t exit)"
status=$(screen | sed -n 25p)
[ "$status" = "             程序正在运行. 按 t 键可退出分解(Press t exit)" ] || fail "status line not on row 25: '$status'"

tm send-keys -t engine t
wait_for "Anew decompose y/n ?"
tm send-keys -t engine n
# Stopped with t, the run still says what the product it ends with is.
wait_for "over the integers."
wait_for "Press any key after reading"
wait_for "阅  读  后   按  任  一  键"
tm send-keys -t engine z
wait_for "Use the mouse to  close  the  window"
for _ in $(seq 50); do [ -s "$work/rc" ] && break; sleep 0.1; done
[ "$(cat "$work/rc")" = 0 ] || fail "engine exit status $(cat "$work/rc")"
grep -q "=...." "$work/jg.dat" || fail "jg.dat lacks the end mark of a stopped search"

# Killed during the search: the status line goes, and the transcript keeps
# every line written so far.
pane=killed
tm new-session -d -x 80 -y 25 -s killed -c "$work" "bash -c 'YINSHI_PLAIN_WALK=1 \"$engine\" & echo \$! > \"$work/pid\"; wait; sleep 60'"
wait_for "程序正在运行. 按 t 键可退出分解(Press t exit)"
kill -TERM "$(cat "$work/pid")"
sleep 0.5
[ -z "$(screen | sed -n 25p | tr -d ' ')" ] || fail "the status line outlived the engine"
[ "$(tr -d '\r' < "$work/jg.dat" | sed -n 2p | cut -c1-2)" = "=(" ] || fail "the killed run lost its transcript"

# Run from a shell: no close-window lines, and the prompt that follows the
# engine sits on a line in the default colours.
pane=shell
printf '"x^2+3x+2"\r\n' > "$work/DXS.DAT"
tm new-session -d -x 80 -y 25 -s shell -c "$work" \
    "env -u YINSHI_OWN_WINDOW bash -c '\"$engine\"; printf PROMPT; sleep 60'"
wait_for "do you want to look at another solution? y/n"
tm send-keys -t shell n
wait_for "Every factor is irreducible over the integers."
wait_for "Press any key after reading"
tm send-keys -t shell z
wait_for "PROMPT"
screen | grep -qF "Use the mouse" && fail "a shell user is told to close a window"
prompt=$(tm capture-pane -e -p -t shell | grep PROMPT)
plain=$(printf '%s' "$prompt" | sed -e 's/\x1b\[0m//g' -e 's/\x1b\[39m//g' -e 's/\x1b\[49m//g' -e 's/\x1b\[39;49m//g')
case "$plain" in *$'\x1b'*) fail "the prompt line is painted: $(printf '%q' "$prompt")" ;; esac

# A first pass that leaves the polynomial whole says it is irreducible, and,
# since exact factoring has shown that, offers no new attempt: the
# certificate, then the end, with no key pressed.
pane=whole
printf '"x^2+1"\r\n' > "$work/DXS.DAT"
tm new-session -d -x 80 -y 25 -s whole -c "$work" "bash -c '\"$engine\"; sleep 60'"
wait_for "It is irreducible over the integers."
wait_for "Press any key after reading"
screen | grep -qF "Anew decompose" && fail "a new attempt is offered on a polynomial shown irreducible"
# The plain walk, kept for comparison, still asks.
pane=plain
tm new-session -d -x 80 -y 25 -s plain -c "$work" "bash -c 'YINSHI_PLAIN_WALK=1 \"$engine\"; sleep 60'"
wait_for "Anew decompose y/n ?"
tm send-keys -t plain n
wait_for "It is irreducible over the integers."

# Typed with parentheses: the typed text and its expansion, then the working on
# it, to the square (the run is quick: the transcript shown again is what stays).
pane=grouped
printf '"(a+b)^2-4(a+b)+4"\r\n' > "$work/DXS.DAT"
tm new-session -d -x 80 -y 25 -s grouped -c "$work" "bash -c '\"$engine\"; sleep 60'"
wait_for "(a+b)^2-4(a+b)+4=a^ 2+ 2 ab+b^ 2- 4 a- 4 b+ 4"
wait_for "=[( 1 a^ 2+ 1 ba-2 a)+( 1 ba+ 1 b^ 2-2 b)+(-2 a-2 b+ 4 )]"
wait_for "=(a + b - 2)^ 2"
tm send-keys -t grouped n
wait_for "Press any key after reading"
[ "$(tr -d '\r' < "$work/jg.dat" | head -1)" = "(a+b)^2-4(a+b)+4=a^ 2+ 2 ab+b^ 2- 4 a- 4 b+ 4 " ] ||
    fail "jg.dat does not open with the typed text and its expansion"

# A text that cannot be read: the input message, then why, in both languages.
for case in "x^^2|Exponent missing at character 2." "(x+1|Unbalanced parenthesis at character 1." \
            "2x^|Exponent missing at character 3."; do
    pane=why$((++n))
    printf '"%s"\r\n' "${case%%|*}" > "$work/DXS.DAT"
    tm new-session -d -x 80 -y 25 -s "$pane" -c "$work" "bash -c '\"$engine\"; sleep 60'"
    wait_for "Press any key after reading"
    screen | grep -A1 -F "输入错误！" | grep -qF "（第" || fail "${case%%|*}: no Chinese reason under the input message"
    screen | grep -qxF "${case#*|}" || fail "${case%%|*}: no '${case#*|}'"
done

echo "engine under tmux: passed"
