#!/usr/bin/env bash
# The engine in WebAssembly under Node against the native one, from the same sources:
#  1. the seeded walk inputs (keys pressed during the searches included), every EVERY-th of
#     the 20,000: the walk's fingerprint, and every file and the screen log (the certificate
#     lines with it) of the guided run, the same line for line; the fingerprints also the
#     recorded ones;
#  2. the page's module itself, with its asynchronous key reader, run whole on the inputs of the
#     whole-run and piped-engine tests beside the native engine: the same files and certificate.
#
#   compare_engines.sh NATIVE_BIN WEB_BUILD [EVERY]
#     NATIVE_BIN: build/bin (walk_files, yinshi-engine); WEB_BUILD: build-web
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
native=$1
web=$2
every=${3:-4}
node=(node --no-experimental-fetch --stack-size=4000)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

last=$((20000 - 1))
"$native/walk_files" --seeds=0..$last --every="$every" > "$out/native.txt" &
"${node[@]}" "$web/cmake/bin/walk_files.js" --seeds=0..$last --every="$every" > "$out/wasm.txt"
wait $!
runs=$(wc -l < "$out/native.txt")
if ! diff -q "$out/native.txt" "$out/wasm.txt" >/dev/null; then
  echo "FAIL: seeded runs differ between the native and the WebAssembly engine (seed, fingerprint, files):"
  diff "$out/native.txt" "$out/wasm.txt" | head -20
  exit 1
fi
# The fingerprints are the recorded ones (seed n on line n of the data lines).
grep -v '^#' "$HERE/../fingerprint/walk_fingerprints.txt" | awk -v every="$every" \
  '(NR - 1) % every == 0 { print NR - 1, $1 }' > "$out/recorded.txt"
if ! cut -d' ' -f1,2 "$out/wasm.txt" | diff -q - "$out/recorded.txt" >/dev/null; then
  echo "FAIL: WebAssembly walk fingerprints differ from the recorded ones"
  cut -d' ' -f1,2 "$out/wasm.txt" | diff - "$out/recorded.txt" | head
  exit 1
fi
echo "$runs seeded runs the same natively and in WebAssembly"

"${node[@]}" "$HERE/module_runs.cjs" "$web/engine" "$native/yinshi-engine"
