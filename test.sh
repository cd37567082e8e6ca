#!/usr/bin/env bash
# Build and run every test: the include rule, the layout and static checks, the normal build,
# the web page (the engine in WebAssembly against the native one, the page in Chromium), the
# engine under ASan+UBSan, and the fuzz targets.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/scripts/common.sh"
ensure_packages
"$ROOT/scripts/check_includes.sh"

build_tree build
# The layout of every source and the engine's static checks, on this build's compile commands.
"$ROOT/scripts/lint.sh" "$ROOT/build"
(cd "$ROOT/build" && ctest --output-on-failure -j2)

# The web page: the engine in WebAssembly (FLINT, GMP and MPFR for it built once per machine),
# held to the native engine of build/, then the page itself in Chromium.
"$ROOT/scripts/build_web.sh"
"$ROOT/tests/wasm/compare_engines.sh" "$ROOT/build/bin" "$ROOT/build-web"
if [ -x "$ROOT/tests/web/run.sh" ]; then "$ROOT/tests/web/run.sh"; fi

build_tree build-asan -DYINSHI_SANITIZE=ON -DYINSHI_FRONTEND=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$ROOT/build-asan" && ctest --output-on-failure -j2 -L engine)

build_tree build-fuzz -DYINSHI_FUZZ=ON -DYINSHI_FRONTEND=OFF -DYINSHI_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug
for f in "$ROOT"/build-fuzz/bin/fuzz_*; do
  [ -x "$f" ] || continue
  echo "Fuzzing $(basename "$f")"
  corpus=$(mktemp -d)
  (cd "$corpus" && "$f" -runs=20000 -seed=1 -max_len=256 "$corpus")
  rm -rf "$corpus"
done
echo "All tests passed."
