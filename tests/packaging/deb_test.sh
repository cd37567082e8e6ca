#!/usr/bin/env bash
# Builds the Debian package from the build with CPack and checks what dpkg-deb lists in it.
# Usage: deb_test.sh BUILD_DIR APP_ID. Exits 77 (skipped) when the Debian tools are missing.
set -euo pipefail
BUILD=$(cd "$1" && pwd) ID=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
(cd "$OUT" && cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$OUT" >"$OUT/cpack.log" 2>&1) ||
  fail "cpack failed: $(cat "$OUT/cpack.log")"
debs=("$OUT"/yinshi_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no yinshi_*.deb: $(ls "$OUT")"
deb=${debs[0]}
echo "Built $(basename "$deb")"

listing=$(dpkg-deb -c "$deb")
echo "$listing"
files=(./usr/bin/yinshi ./usr/bin/yinshi-engine "./usr/share/applications/$ID.desktop"
       "./usr/share/metainfo/$ID.metainfo.xml" "./usr/share/icons/hicolor/scalable/apps/$ID.svg"
       "./usr/share/icons/hicolor/48x48/apps/$ID.png" "./usr/share/icons/hicolor/256x256/apps/$ID.png")
for f in "${files[@]}"; do
  echo "$listing" | awk '{print $NF}' | grep -qxF "$f" || fail "$f is not in the package"
done
echo "$listing" | grep -q '^-rwxr-xr-x .* \./usr/bin/yinshi$' || fail "usr/bin/yinshi is not executable"

[ "$(dpkg-deb -f "$deb" Package)" = yinshi ] || fail "the package is not named yinshi"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins 'xterm | x-terminal-emulator'; do
  [[ "$depends" == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
echo "1 passed, 0 failed"
