#!/usr/bin/env bash
# Builds the static site: the page from web/, the terminal component from npm, the icon, and
# the module's files (the engine in WebAssembly with its worker) into one folder that any web
# server can serve as it is.
#
#   web/build_site.sh [--engine-dir DIR] [--out DIR]
#
# --engine-dir: where the module's build left its files (default build-web/engine); every
#   *.js, *.wasm and *.data there goes to site/engine/.
# --out: the site folder (default build-web/site). npm packages go to build-web/node_modules.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WEB="$ROOT/web"
BUILD="${YINSHI_WEB_BUILD:-$ROOT/build-web}"
ENGINE_DIR="${YINSHI_WEB_ENGINE_DIR:-$BUILD/engine}"
SITE="$BUILD/site"
while [ $# -gt 0 ]; do
  case "$1" in
    --engine-dir) ENGINE_DIR=$2; shift 2 ;;
    --out) SITE=$2; shift 2 ;;
    *) echo "build_site.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

# npm packages, installed from the lock file; again only when the lock file changed.
mkdir -p "$BUILD"
if ! cmp -s "$WEB/package-lock.json" "$BUILD/package-lock.json" || [ ! -d "$BUILD/node_modules/@xterm/xterm" ]; then
  cp "$WEB/package.json" "$WEB/package-lock.json" "$BUILD/"
  (cd "$BUILD" && npm ci --no-audit --no-fund --loglevel=error)
fi

if [ ! -f "$ENGINE_DIR/engine-worker.js" ]; then
  echo "build_site.sh: no module in $ENGINE_DIR (engine-worker.js missing); build the engine for the web first" >&2
  exit 1
fi

rm -rf "$SITE"
mkdir -p "$SITE/vendor/xterm" "$SITE/icons" "$SITE/engine"
cp "$WEB/index.html" "$WEB/manifest.webmanifest" "$SITE/"
cp -r "$WEB/css" "$WEB/js" "$SITE/"
node "$WEB/tools/window_texts.mjs" "$ROOT/packaging/translations/yinshi_en.ts" "$SITE/js/window_texts.js"

XTERM="$BUILD/node_modules/@xterm/xterm"
cp "$XTERM/css/xterm.css" "$XTERM/LICENSE" "$SITE/vendor/xterm/"
# The ES module under a .js name, which every server sends as JavaScript (not every one knows
# .mjs); without the line naming its source map, which is not shipped.
sed '/^\/\/# sourceMappingURL=/d' "$XTERM/lib/xterm.mjs" > "$SITE/vendor/xterm/xterm-module.js"

cp "$ROOT/packaging/yinshi.svg" "$SITE/icons/"
for size in 192 512; do
  rsvg-convert --width=$size --height=$size --output="$SITE/icons/yinshi-$size.png" "$ROOT/packaging/yinshi.svg"
done

shopt -s nullglob
for f in "$ENGINE_DIR"/*.js "$ENGINE_DIR"/*.wasm "$ENGINE_DIR"/*.data; do cp "$f" "$SITE/engine/"; done
shopt -u nullglob

# The service worker's list: every file of the site, and a version that changes with them.
files=$(cd "$SITE" && find . -type f ! -name sw.js | sed 's|^\./||' | LC_ALL=C sort)
version=$(cd "$SITE" && printf '%s\n' $files | xargs sha256sum | sha256sum | cut -c1-16)
list=$(printf '%s\n' './' $files | sed "s/.*/  '&',/")
awk -v version="yinshi-$version" -v list="$list" '
  /^const kVersion = / { print "const kVersion = \x27" version "\x27;"; next }
  /^const kFiles = / { print "const kFiles = ["; print list; print "];"; next }
  { print }' "$WEB/sw.js" > "$SITE/sw.js"

echo "Site in $SITE ($(du -sh "$SITE" | cut -f1), $(find "$SITE" -type f | wc -l) files)"
