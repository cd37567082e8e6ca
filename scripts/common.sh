# Shared by run.sh and test.sh: install what a fresh Debian 12 machine lacks, then build.
PACKAGES=(g++ cmake ninja-build qt6-base-dev libflint-dev libgtest-dev libbenchmark-dev clang
          tmux xterm xvfb xauth fonts-wqy-microhei fonts-dejavu-core poppler-utils
          fonts-arphic-uming xdotool x11-apps netpbm)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
  fi
}

# build_tree DIR [cmake options...]
build_tree() {
  local dir=$1; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$ROOT/$dir"
}
