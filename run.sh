#!/usr/bin/env bash
# Build the two programs if needed (Release, in build-run/, nothing else), then start: the window
# when a display is present, otherwise the engine in this terminal on the example polynomial.
# "./run.sh web" builds the web page instead and serves it at http://127.0.0.1:8080/.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/scripts/common.sh"
if [ "${1:-}" = web ]; then
  # The web page: the site built into build-web/site/ and served from there.
  "$ROOT/scripts/build_web.sh"
  cd "$ROOT/build-web/site"
  echo "The page is at http://127.0.0.1:8080/ (Ctrl-C stops the server)"
  exec python3 -m http.server 8080 --bind 127.0.0.1
fi
ensure_packages "${RUN_PACKAGES[@]}"
configure_tree build-run -DCMAKE_BUILD_TYPE=Release -DYINSHI_TESTS=OFF -DYINSHI_BENCH=OFF
cmake --build "$ROOT/build-run" --target yinshi yinshi-engine
BIN=$ROOT/build-run/bin

if [ -n "${DISPLAY:-}" ]; then
  # The window works in its own folder, $XDG_DATA_HOME/yinshi (~/.local/share/yinshi).
  exec "$BIN/yinshi"
fi
mkdir -p "$ROOT/work" && cd "$ROOT/work"
printf '"x^3+9x^2+26x+24"\r\n' > DXS.DAT
exec "$BIN/yinshi-engine"
