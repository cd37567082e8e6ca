#!/usr/bin/env bash
# The web page's site in build-web/site/: the engine compiled to WebAssembly (build-web/engine/:
# yinshi.js, yinshi.wasm, engine-worker.js), then the page around it (web/build_site.sh).
# FLINT, GMP and MPFR for WebAssembly come from scripts/web_deps.sh, built once per machine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/scripts/common.sh"
ensure_packages "${WEB_PACKAGES[@]}"
# Debian's nodejs comes without npm; a Node from elsewhere brings its own.
command -v npm >/dev/null || ensure_packages npm
# Debian's emscripten finds Debian's acorn only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT}

start=$(date +%s)
PREFIX=$("$ROOT/scripts/web_deps.sh" | tail -1)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
emcmake cmake -S "$ROOT" -B "$ROOT/build-web/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DYINSHI_WEB=ON -DYINSHI_TESTS=OFF -DYINSHI_BENCH=OFF -DYINSHI_FRONTEND=OFF "${launcher[@]}" \
  -DFLINT_INCLUDE_DIR="$PREFIX/include" -DFLINT_LIBRARY="$PREFIX/lib/libflint.a" \
  -DGMP_LIBRARY="$PREFIX/lib/libgmp.a" -DYINSHI_WEB_EXTRA_LIBS="$PREFIX/lib/libmpfr.a;$PREFIX/lib/libgmp.a" \
  >/dev/null
cmake --build "$ROOT/build-web/cmake" --target yinshi walk_files
mkdir -p "$ROOT/build-web/engine"
for f in yinshi.js yinshi.wasm engine-worker.js; do
  cp "$ROOT/build-web/cmake/bin/$f" "$ROOT/build-web/engine/"
done
if [ -x "$ROOT/web/build_site.sh" ]; then
  YINSHI_WEB_ENGINE_DIR="$ROOT/build-web/engine" "$ROOT/web/build_site.sh"
fi
echo "web build: $(( $(date +%s) - start )) s"
