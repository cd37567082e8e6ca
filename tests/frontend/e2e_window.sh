#!/usr/bin/env bash
# End to end on a private X display: cover, polynomial typed and handed off, the engine started
# from the box in its own terminal, its transcript, and that transcript printed to a PDF.
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

# The terminal opens clear of every button (twips at 96 dpi: 15 to a pixel) and has the keys.
read -r tx ty tw th < <(xdotool getwindowgeometry --shell "$TERMINAL" |
  awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print x, y, w, h}')
for button in "240 120 1455 495" "2520 120 1335 495" "4800 120 1335 495" "6600 120 1335 855" \
              "5280 4320 855 495" "6240 4320 855 495" "7200 4320 855 495"; do
  read -r l t w h <<<"$button"
  bl=$(px "$l") bt=$(px "$t") br=$(px $((l + w))) bb=$(px $((t + h)))
  if [ "$tx" -lt "$br" ] && [ $((tx + tw)) -gt "$bl" ] && [ "$ty" -lt "$bb" ] && [ $((ty + th)) -gt "$bt" ]; then
    fail "the terminal at ${tw}x$th+$tx+$ty covers the button at $button (twips)"
  fi
done
for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$TERMINAL" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus)" = "$TERMINAL" ] || fail "the terminal does not have the keyboard focus"
wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
# The engine echoes the polynomial with its number forms (spaces around the numbers).
[ "$(head -1 jg.dat | tr -d ' \r')" = "$POLY" ] || fail "jg.dat does not start with the polynomial: $(head -3 jg.dat)"
grep -qE '^=(\(x \+ [234]\)){3}' jg.dat || fail "jg.dat shows no product of three factors: $(cat jg.dat)"

# The print command: no printer here, so three boxes (ready?, print now?, where the PDF went),
# each answered with its default button. The PDF is complete when the last one names it.
click "$MAIN" 5280 4320 855 495
for box_number in 1 2 3; do
  box=$(find_window '^注意$' 10) || fail "the print command asked nothing"
  if [ "$box_number" = 3 ]; then
    pdftotext jg.pdf - 2>/dev/null | tr -d ' ' | grep -qF "$POLY" || fail "jg.pdf is not complete when the message names it"
  fi
  xdotool windowfocus "$box"; sleep 0.3; xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '.' | grep -qx "$box" || break; sleep 0.1; done
done
[ -z "$(find_window '^注意$' 1)" ] || fail "the print command asked more than three times"
echo "1 passed, 0 failed"
