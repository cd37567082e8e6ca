#!/usr/bin/env bash
# GMP, MPFR and FLINT compiled for WebAssembly from Debian's own source packages, static, into a
# prefix cached outside the clone: a second build on the same machine reuses it.
# Prints the prefix on its last line.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

GMP_V=6.2.1 MPFR_V=4.2.0 FLINT_V=2.9.0
# Raise RECIPE when the way they are built changes, so a stale cache is never picked up.
RECIPE=1
RECIPE_KEY=$( (echo "$GMP_V $MPFR_V $FLINT_V $RECIPE"; emcc --version | head -1) | sha256sum | cut -c1-16)
CACHE=${YINSHI_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/yinshi-web}/$RECIPE_KEY
PREFIX=$CACHE/prefix
if [ -f "$PREFIX/.complete" ]; then
  echo "$PREFIX"
  exit 0
fi
WORK=$CACHE/work
mkdir -p "$WORK" "$PREFIX"
JOBS=${YINSHI_WEB_JOBS:-2}

fetch_sources() {
  # apt works with a sources file and lists folder of our own, so the system's configuration
  # and its package lists stay as they are.
  ls -d "$WORK"/src/gmp-*/ "$WORK"/src/mpfr4-*/ "$WORK"/src/flint-*/ >/dev/null 2>&1 && return
  local apt=$WORK/apt
  mkdir -p "$apt/lists/partial" "$apt/parts"
  cat > "$apt/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
EOF
  local opts=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=$apt/parts"
              -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
  mkdir -p "$apt/cache/archives/partial"
  apt-get "${opts[@]}" update >/dev/null
  mkdir -p "$WORK/src" && cd "$WORK/src"
  for p in gmp mpfr4 flint; do
    ls -d "$WORK"/src/"${p%4}"-*/ >/dev/null 2>&1 || apt-get "${opts[@]}" source "$p" >/dev/null
  done
}

build_gmp() {
  [ -f "$PREFIX/lib/libgmp.a" ] && return
  cd "$WORK"/src/gmp-"$GMP_V"*/
  # Debian's tarball leaves out the manual; configure still wants its Makefile.
  mkdir -p doc && [ -f doc/Makefile.in ] || : > doc/Makefile.in
  sed -i 's/^SUBDIRS = \(.*\) doc\b/SUBDIRS = \1/' Makefile.in
  [ -f Makefile ] || emconfigure ./configure --host=none --disable-assembly --disable-shared --enable-static \
    --prefix="$PREFIX" CFLAGS=-O2 >/dev/null
  emmake make -j"$JOBS" >/dev/null
  emmake make install prefix="$PREFIX" >/dev/null
}

build_mpfr() {
  [ -f "$PREFIX/lib/libmpfr.a" ] && return
  cd "$WORK"/src/mpfr4-"$MPFR_V"*/ 2>/dev/null || cd "$WORK"/src/mpfr-"$MPFR_V"*/
  [ -f Makefile ] || emconfigure ./configure --host=none --disable-shared --enable-static --with-gmp="$PREFIX" \
    --prefix="$PREFIX" CFLAGS=-O2 >/dev/null
  emmake make -j"$JOBS" -C src >/dev/null
  emmake make -C src install prefix="$PREFIX" >/dev/null
}

# The modules the exact layer's two factorings reach, found by linking against them (padic and
# qadic only for the table of Conway polynomials); the rest of FLINT (finite-field defaults,
# rational multivariate factoring, p-adic polynomials and matrices, ...) would add to the build.
FLINT_MODULES="ulong_extras long_extras perm fmpz fmpz_vec fmpz_poly fmpq_poly fmpz_mat fmpz_lll
  mpfr_vec mpfr_mat nmod nmod_vec nmod_poly nmod_poly_factor arith mpn_extras nmod_mat fmpq fmpq_vec
  fmpq_mat fmpz_mod_poly fmpz_mod_poly_factor fmpz_factor fmpz_poly_factor fft double_extras d_vec
  d_mat fq fq_vec fq_mat fq_poly fq_poly_factor fq_nmod fq_nmod_vec fq_nmod_mat fq_nmod_poly
  fq_nmod_poly_factor fq_zech fq_zech_vec fq_zech_mat fq_zech_poly fq_zech_poly_factor fmpz_mod_mat
  mpoly fmpz_mpoly fmpq_mpoly nmod_mpoly fq_nmod_mpoly thread_pool thread_support fmpz_mod
  fmpz_mod_vec fmpz_mod_mpoly fmpz_mod_mpoly_factor n_poly fmpz_mpoly_factor nmod_mpoly_factor
  fq_nmod_mpoly_factor fq_zech_mpoly fq_zech_mpoly_factor mpf_vec mpf_mat qsieve aprcl padic qadic"

build_flint() {
  [ -f "$PREFIX/lib/libflint.a" ] && return
  cd "$WORK"/src/flint-"$FLINT_V"*/
  # The endianness probe greps the compiled probe for its marker strings; an object file holds
  # them as well as a program, and a program here could not be built without running the linker.
  sed -i 's|^\$CC build/test-endian.c -o|$CC -c build/test-endian.c -o|' configure
  [ -f Makefile ] || emconfigure ./configure --disable-pthread --disable-tls --disable-shared \
    --enable-static --build=wasm32-emscripten --with-gmp="$PREFIX" --with-mpfr="$PREFIX" \
    --prefix="$PREFIX" CFLAGS=-O2 >/dev/null
  rm -f libflint.a
  emmake make -j"$JOBS" BUILD_DIRS="$(echo $FLINT_MODULES)" library >/dev/null
  mkdir -p "$PREFIX/include/flint"
  cp -- *.h "$PREFIX/include/flint/"
  cp libflint.a "$PREFIX/lib/"
}

fetch_sources
build_gmp
build_mpfr
build_flint
touch "$PREFIX/.complete"
echo "$PREFIX"
