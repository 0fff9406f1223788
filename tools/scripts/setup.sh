# Shared by ./test.sh and ./run.sh: installs what is missing, then configures
# and builds into build/. Sourced, not run; expects $ROOT.

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libgl-dev
  libopencv-dev libjpeg-dev libpng-dev libarchive-dev libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils fonts-noto-cjk qt6-translations-l10n libjpeg-turbo-progs xvfb xauth imagemagick libvips-tools time zip unzip
  desktop-file-utils shared-mime-info xdg-utils dpkg-dev file lintian appstream bash-completion man-db
)

install_missing_packages() {
  local missing=()
  local p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null \
      || { echo "Package installation failed." >&2; return 1; }
  else
    echo "These packages are missing; install them as root with:" >&2
    echo "  sudo apt-get install ${missing[*]}" >&2
    return 1
  fi
}

configure_and_build() {
  local build_dir=${BUILD_DIR:-$ROOT/build}
  cmake -S "$ROOT" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null \
    || { echo "Configuring failed." >&2; return 1; }
  cmake --build "$build_dir" || { echo "Building failed." >&2; return 1; }
}
