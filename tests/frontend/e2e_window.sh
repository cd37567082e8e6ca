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
for tool in Xvfb xdotool xterm xwd pdftotext; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
cd "$WORK"
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
wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
# The engine echoes the polynomial with its number forms (spaces around the numbers).
[ "$(head -1 jg.dat | tr -d ' \r')" = "$POLY" ] || fail "jg.dat does not start with the polynomial: $(head -3 jg.dat)"
grep -qE '^=(\(x \+ [234]\)){3}' jg.dat || fail "jg.dat shows no product of three factors: $(cat jg.dat)"

# The print command: no printer here, so three boxes (ready?, where the PDF goes, print now?),
# each answered with its default button.
click "$MAIN" 5280 4320 855 495
for _ in 1 2 3; do
  box=$(find_window '^注意$' 10) || fail "the print command asked nothing"
  xdotool windowfocus "$box"; sleep 0.3; xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^注意$' | grep -qx "$box" || break; sleep 0.1; done
done
wait_for_file jg.pdf 20 || fail "no jg.pdf was printed"
pdftotext jg.pdf - | tr -d ' ' | grep -qF "$POLY" || fail "jg.pdf does not hold the transcript"

echo "1 passed, 0 failed"
