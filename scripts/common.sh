# Shared by run.sh and test.sh: install what a fresh Debian 12 machine lacks, then build.
# What building and running the two programs needs:
RUN_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
              libflint-dev libxcb1-dev librsvg2-bin xterm fonts-wqy-microhei fonts-dejavu-core)
# What the tests, the layout and static checks, the benchmarks, the package and the
# screenshots need besides:
TEST_PACKAGES=(libgtest-dev libbenchmark-dev clang clang-format clang-tidy tmux xvfb xauth poppler-utils
               fonts-arphic-uming xdotool x11-apps x11-utils netpbm desktop-file-utils appstream dpkg-dev)
# What the web page's build (scripts/build_web.sh) and its tests need besides:
WEB_PACKAGES=(emscripten nodejs dpkg-dev xz-utils chromium)
PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WEB_PACKAGES[@]}")

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# ensure_packages [PACKAGE...]: the given packages, or all of PACKAGES.
ensure_packages() {
  local wanted=("$@") missing=()
  [ ${#wanted[@]} -gt 0 ] || wanted=("${PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
  fi
}

# configure_tree DIR [cmake options...]
configure_tree() {
  local dir=$1; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "$@" >/dev/null
}

# build_tree DIR [cmake options...]: everything.
build_tree() {
  configure_tree "$@"
  cmake --build "$ROOT/$1"
}
