#!/usr/bin/env bash
# Installs the build into a DESTDIR as a package would (prefix /usr) and checks the tree: the
# two programs, the desktop entry, the icons and the metainfo, each validated as a desktop
# would read it; then the installed engine factors a polynomial.
# Usage: install_test.sh BUILD_DIR APP_ID. Exits 77 (skipped) when a validator is missing.
set -euo pipefail
BUILD=$(cd "$1" && pwd) ID=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done

DEST=$(mktemp -d)
trap 'rm -rf "$DEST"' EXIT
DESTDIR="$DEST" cmake --install "$BUILD" --prefix /usr >/dev/null

SIZES=(16 22 24 32 48 64 128 256)
expected=(usr/bin/yinshi usr/bin/yinshi-engine
          "usr/share/applications/$ID.desktop" "usr/share/metainfo/$ID.metainfo.xml"
          "usr/share/icons/hicolor/scalable/apps/$ID.svg")
for s in "${SIZES[@]}"; do expected+=("usr/share/icons/hicolor/${s}x$s/apps/$ID.png"); done
got=$(cd "$DEST" && find . -type f | sed 's|^\./||' | sort)
want=$(printf '%s\n' "${expected[@]}" | sort)
[ "$got" = "$want" ] || fail "the installed tree differs:
$(diff <(echo "$want") <(echo "$got") || true)"

for p in yinshi yinshi-engine; do [ -x "$DEST/usr/bin/$p" ] || fail "usr/bin/$p is not executable"; done
for s in "${SIZES[@]}"; do
  png="$DEST/usr/share/icons/hicolor/${s}x$s/apps/$ID.png"
  # The PNG header: the signature, then width and height as 32-bit numbers at bytes 16 and 20.
  [ "$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //')" = "0 0 $((s / 256)) $((s % 256)) 0 0 $((s / 256)) $((s % 256))" ] ||
    fail "$png is not $s x $s"
done

desktop="$DEST/usr/share/applications/$ID.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
grep -qx 'Exec=yinshi' "$desktop" || fail "the desktop entry does not start yinshi"
grep -qx "Icon=$ID" "$desktop" || fail "the desktop entry names another icon"
grep -qx 'Categories=Education;Math;' "$desktop" || fail "the desktop entry is not under Education;Math"
appstreamcli validate --no-net "$DEST/usr/share/metainfo/$ID.metainfo.xml" ||
  fail "appstreamcli rejects the metainfo"
appstreamcli validate-tree --no-net "$DEST/usr" || fail "appstreamcli rejects the installed tree"

# The installed engine runs on its own: the transcript of x^2-1 holds its factors.
work=$(mktemp -d)
trap 'rm -rf "$DEST" "$work"' EXIT
printf '"x^2-1"\r\n' >"$work/DXS.DAT"
(cd "$work" && printf 'n' | timeout 60 "$DEST/usr/bin/yinshi-engine" >/dev/null) || fail "the installed engine failed"
tr -d ' ' <"$work/jg.dat" | grep -q '(x+1)(x-1)\|(x-1)(x+1)' || fail "the installed engine gave: $(cat "$work/jg.dat")"
echo "1 passed, 0 failed"
