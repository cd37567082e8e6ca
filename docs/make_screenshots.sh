#!/usr/bin/env bash
# Remakes the screenshots of the README on a private X display: on a 1600 x 1000 screen the
# cover and the main window with a polynomial handed off, in English and in Chinese, and the
# engine's terminal beside the Chinese window once the engine is built; on a 1024 x 768 screen
# the Chinese window with the engine's terminal.
# Usage: docs/make_screenshots.sh [BIN_DIR]   (default: build/bin)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$(cd "${1:-$ROOT/build/bin}" && pwd -P)
DOCS="$ROOT/docs"
. "$ROOT/tests/frontend/window_driver.sh"

WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT

# shoot_windows LOCALE SUFFIX COVER_TITLE MAIN_TITLE: the cover and the main window in one language.
shoot_windows() {
  use_work_folder "$WORK/$1$2"
  LC_ALL="" LC_MESSAGES="" LANG=$1 COVER_TITLE=$3 MAIN_TITLE=$4 start_window "$BIN"
  sleep 1
  shot "$DOCS/cover$2.png"
  MAIN_TITLE=$4 go_on
  enter_polynomial 'x^3+9x^2+26x+24'
  shot "$DOCS/main-window$2.png"
}

# shoot_engine FILE: the engine started from the main window, once its run has ended.
shoot_engine() {
  if [ ! -x "$BIN/yinshi-engine" ]; then
    echo "yinshi-engine is not built: no terminal screenshot"
    return
  fi
  start_engine
  wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
  sleep 3  # let the closing display reach the screen
  shot "$1"
}

SCREEN_SIZE=1600x1000 start_display
shoot_windows en_US.UTF-8 -en '^Yinshi .* polynomial factoring$' '^Yinshi .* factoring polynomials'
kill "${DRIVER_PIDS[-1]}"
sleep 0.5
shoot_windows zh_CN.UTF-8 '' '^因式分解$' '多项式的因式分解'
shoot_engine "$DOCS/engine-beside-window.png"
stop_all

SCREEN_SIZE=1024x768 start_display
use_work_folder "$WORK/small"
LC_ALL="" LC_MESSAGES="" LANG=zh_CN.UTF-8 start_window "$BIN"
go_on
enter_polynomial 'x^3+9x^2+26x+24'
shoot_engine "$DOCS/engine-beside-window-1024x768.png"
echo "Screenshots in $DOCS"
