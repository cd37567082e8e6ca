#!/usr/bin/env bash
# The layout (.clang-format) of every C++ source, and the static checks
# (.clang-tidy) of the engine's, against the compile commands of a build tree.
#   scripts/lint.sh [build-dir]      (default: build)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
cd "$ROOT"
mapfile -t sources < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run -Werror "${sources[@]}"
# The web seams build only for WebAssembly, so this build's commands do not cover them.
mapfile -t engine < <(git ls-files 'engine/*.cpp' ':!engine/web/*')
run-clang-tidy -p "$BUILD" -j "$(nproc)" -quiet "${engine[@]/#/$ROOT/}" > "$BUILD/clang-tidy.log" 2>&1 || {
    grep -E "warning:|error:" "$BUILD/clang-tidy.log" | head -40
    echo "clang-tidy found the problems above (whole log: $BUILD/clang-tidy.log)"
    exit 1
}
echo "Layout and static checks clean."
