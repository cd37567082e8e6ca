#!/usr/bin/env bash
# Remakes the screenshots of the README on a private X display: the cover, the main window
# with a polynomial handed off, and the engine's terminal once the engine is built.
# Usage: docs/make_screenshots.sh [BIN_DIR]   (default: build/bin)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BIN=$(cd "${1:-$ROOT/build/bin}" && pwd -P)
DOCS="$ROOT/docs"
. "$ROOT/tests/frontend/window_driver.sh"

WORK=$(mktemp -d)
trap 'stop_all; rm -rf "$WORK"' EXIT
cd "$WORK"
start_display
start_window "$BIN"
sleep 1
shot "$DOCS/cover.png"
go_on
enter_polynomial 'x^3+9x^2+26x+24'
shot "$DOCS/main-window.png"

if [ -x "$BIN/yinshi-engine" ]; then
  start_engine
  wait_for_file jg.dat 60 || fail "the engine wrote no jg.dat"
  sleep 3  # let the closing display reach the screen
  shot "$DOCS/engine-terminal.png" "$TERMINAL"
else
  echo "yinshi-engine is not built: no terminal screenshot"
fi
echo "Screenshots in $DOCS"
