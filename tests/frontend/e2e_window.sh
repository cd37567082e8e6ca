#!/usr/bin/env bash
# End to end on a private X display (1024 x 768 unless SCREEN_SIZE says otherwise): cover,
# polynomial typed and handed off, the engine started from the box in its own terminal, its
# transcript, and that transcript printed to a PDF.
# Usage: e2e_window.sh BIN_DIR. Exits 77 (skipped) while the engine is not built.
set -euo pipefail
BIN=$(cd "$1" && pwd -P)
if [ ! -x "$BIN/yinshi-engine" ]; then
  echo "yinshi-engine is not built yet: skipped"
  exit 77
fi
. "$(dirname "$0")/window_driver.sh"
for tool in Xvfb xdotool xprop xterm xwd pdftotext; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
use_work_folder "$WORK"  # the window works in $XDG_DATA_HOME/yinshi
start_display
start_window "$BIN"
go_on

POLY='x^3+9x^2+26x+24'
enter_polynomial "$POLY"
[ "$(od -An -tx1 DXS.DAT | tr -d ' \n')" = "22$(printf '%s' "$POLY" | od -An -tx1 | tr -d ' \n')220d0a" ] ||
  fail "DXS.DAT is not the 19 bytes expected: $(od -c DXS.DAT)"

start_engine
engine_pid=
for _ in $(seq 100); do  # the terminal's child becomes the engine once it has exec'd
  for child in $(pgrep -P "$TERMINAL_PID"); do
    [ "$(readlink "/proc/$child/exe")" = "$BIN/yinshi-engine" ] && engine_pid=$child
  done
  [ -n "$engine_pid" ] && break
  sleep 0.1
done
[ -n "$engine_pid" ] || fail "the terminal runs no yinshi-engine"
[ "$(readlink "/proc/$engine_pid/cwd")" = "$(pwd -P)" ] || fail "the engine runs in another folder"
tr '\0' '\n' <"/proc/$engine_pid/environ" | grep -qx 'YINSHI_OWN_WINDOW=1' ||
  fail "the engine was not told that it runs in a window of its own"

# The terminal opens on the screen, clear of the input box and of every button, which stand at
# their twip positions drawn at the window's scale.
read -r tx ty tw th < <(xdotool getwindowgeometry --shell "$TERMINAL" |
  awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')
read -r sw sh < <(xdotool getdisplaygeometry)
[ "$tx" -ge 0 ] && [ "$ty" -ge 0 ] && [ $((tx + tw)) -le "$sw" ] && [ $((ty + th)) -le "$sh" ] ||
  fail "the terminal at ${tw}x$th+$tx+$ty runs off the ${sw}x$sh screen"
scale=$(scale_of "$MAIN")
for control in "240 6000 7935 480" "240 120 1455 495" "2520 120 1335 495" "4800 120 1335 495" \
               "6600 120 1335 855" "5280 4320 855 495" "6240 4320 855 495" "7200 4320 855 495"; do
  read -r l t w h <<<"$control"
  bl=$(px "$l" "$scale") bt=$(px "$t" "$scale") br=$(px $((l + w)) "$scale") bb=$(px $((t + h)) "$scale")
  if [ "$tx" -lt "$br" ] && [ $((tx + tw)) -gt "$bl" ] && [ "$ty" -lt "$bb" ] && [ $((ty + th)) -gt "$bt" ]; then
    fail "the terminal at ${tw}x$th+$tx+$ty covers the control at $control (twips, scale $scale)"
  fi
done
for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$TERMINAL" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus)" = "$TERMINAL" ] || fail "the terminal does not have the keyboard focus"
wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
# The engine echoes the polynomial with its number forms (spaces around the numbers).
[ "$(head -1 jg.dat | tr -d ' \r')" = "$POLY" ] || fail "jg.dat does not start with the polynomial: $(head -3 jg.dat)"
grep -qE '^=(\(x \+ [234]\)){3}' jg.dat || fail "jg.dat shows no product of three factors: $(cat jg.dat)"

# The print command: no printer here, so no question, one notice naming jg.pdf (complete by
# then), closed with Esc (its other button would open the PDF in the desktop's viewer).
click "$MAIN" 5280 4320 855 495
box=$(find_window '^注意$' 10) || fail "the print command said nothing"
pdftotext jg.pdf - 2>/dev/null | tr -d ' ' | grep -qF "$POLY" || fail "jg.pdf is not complete when the notice names it"
xdotool windowfocus "$box"; sleep 0.3; xdotool key Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name '.' | grep -qx "$box" || break; sleep 0.1; done
[ -z "$(find_window '^注意$' 1)" ] || fail "the print command put more than one box up"
echo "1 passed, 0 failed"
