#!/usr/bin/env bash
# Build if needed, then start the program: the window when a display is present,
# otherwise the engine in this terminal on the example polynomial.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/scripts/common.sh"
ensure_packages
build_tree build

if [ -n "${DISPLAY:-}" ] && [ -x "$ROOT/build/bin/yinshi" ]; then
  mkdir -p "$ROOT/work" && cd "$ROOT/work"
  exec "$ROOT/build/bin/yinshi"
fi
if [ ! -x "$ROOT/build/bin/yinshi-engine" ]; then
  echo "The engine is not built yet; nothing to run."
  exit 0
fi
mkdir -p "$ROOT/work" && cd "$ROOT/work"
[ -f DXS.DAT ] || printf '"x^3+9x^2+26x+24"\r\n' > DXS.DAT
exec "$ROOT/build/bin/yinshi-engine"
