#!/usr/bin/env bash
# Remakes the screenshots of the README on a private X display: the cover and the main window
# with a polynomial handed off, in English and in Chinese, and the engine's terminal beside the
# Chinese window once the engine is built.
# Usage: docs/make_screenshots.sh [BIN_DIR]   (default: build/bin)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$(cd "${1:-$ROOT/build/bin}" && pwd -P)
DOCS="$ROOT/docs"
. "$ROOT/tests/frontend/window_driver.sh"

WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
start_display

# shoot_windows LOCALE SUFFIX COVER_TITLE MAIN_TITLE: the cover and the main window in one language.
shoot_windows() {
  use_work_folder "$WORK/$1"
  LC_ALL="" LC_MESSAGES="" LANG=$1 COVER_TITLE=$3 MAIN_TITLE=$4 start_window "$BIN"
  sleep 1
  shot "$DOCS/cover$2.png"
  MAIN_TITLE=$4 go_on
  enter_polynomial 'x^3+9x^2+26x+24'
  shot "$DOCS/main-window$2.png"
}

shoot_windows en_US.UTF-8 -en '^Yinshi .* polynomial factoring$' '^Yinshi .* factoring polynomials'
kill "${DRIVER_PIDS[-1]}"
sleep 0.5
shoot_windows zh_CN.UTF-8 '' '^因式分解$' '多项式的因式分解'

if [ -x "$BIN/yinshi-engine" ]; then
  start_engine
  wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
  sleep 3  # let the closing display reach the screen
  shot "$DOCS/engine-beside-window.png"
else
  echo "yinshi-engine is not built: no terminal screenshot"
fi
echo "Screenshots in $DOCS"
