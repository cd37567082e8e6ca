#!/usr/bin/env bash
# The page in Debian's Chromium through Playwright: builds the site (web/build_site.sh) unless
# given one, serves it on 127.0.0.1 with a plain static server, and runs tests/web/*.test.mjs.
#
#   tests/web/run.sh [--stand-in] [--screenshots DIR]
#
# --stand-in: the site with tests/web/stand_in/ in place of the module (the page alone).
# --screenshots DIR: write the desktop and phone screenshots there (docs/ for the README).
# Exits 77 (skipped) when the module has not been built and --stand-in is not given.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD="${YINSHI_WEB_BUILD:-$ROOT/build-web}"
ENGINE_DIR="${YINSHI_WEB_ENGINE_DIR:-$BUILD/engine}"
SITE="$BUILD/site"
export YINSHI_WEB_STAND_IN=0
while [ $# -gt 0 ]; do
  case "$1" in
    --stand-in) ENGINE_DIR="$ROOT/tests/web/stand_in"; SITE="$BUILD/site-stand-in"; YINSHI_WEB_STAND_IN=1; shift ;;
    --screenshots) YINSHI_WEB_SCREENSHOTS=$(cd "$2" && pwd); export YINSHI_WEB_SCREENSHOTS; shift 2 ;;
    *) echo "run.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
for tool in node npm python3 /usr/bin/chromium; do
  command -v "$tool" > /dev/null || { echo "web tests skipped: $tool is missing"; exit 77; }
done
if [ ! -f "$ENGINE_DIR/engine-worker.js" ]; then
  echo "web tests skipped: no module in $ENGINE_DIR (build it with scripts/build_web.sh)"
  exit 77
fi
"$ROOT/web/build_site.sh" --engine-dir "$ENGINE_DIR" --out "$SITE"

# The window's own print formatting, natively, for the print view to be compared with.
TOOL="$BUILD/tools/print_lines"
SRCS=("$ROOT/tests/web/print_lines_main.cpp" "$ROOT/frontend/print_format.cpp" "$ROOT/frontend/transcript_file.cpp" "$ROOT/frontend/regular_file.cpp"
      "$ROOT/engine/compaction/transcript_compaction.cpp" "$ROOT/engine/transcript_format/transcript_lines.cpp")
if [ ! -x "$TOOL" ] || [ -n "$(find "${SRCS[@]}" -newer "$TOOL")" ]; then
  mkdir -p "$(dirname "$TOOL")"
  g++ -std=c++20 -O1 -Wall -Wextra -Wpedantic -I"$ROOT/frontend" -I"$ROOT/engine" "${SRCS[@]}" -o "$TOOL"
fi
export YINSHI_PRINT_LINES="$TOOL"

# A free port on the loopback interface, and the plain static server on it.
PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$SITE" > "$BUILD/http.log" 2>&1 &
SERVER=$!
trap 'kill $SERVER 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$PORT/')" 2>/dev/null && break
  sleep 0.1
done
export YINSHI_SITE_URL="http://127.0.0.1:$PORT"
export YINSHI_WEB_TIMES="$BUILD/web-times.json"
# A copy beside the build's node_modules, where node finds playwright-core.
cd "$BUILD"
cp "$ROOT/tests/web/page.test.mjs" "$BUILD/page.test.mjs"
node --test --test-concurrency=1 --test-timeout=240000 ${YINSHI_WEB_TEST_PATTERN:+--test-name-pattern="$YINSHI_WEB_TEST_PATTERN"} page.test.mjs
