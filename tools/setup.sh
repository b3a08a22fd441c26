#!/usr/bin/env bash
# Installs what building and testing need on a Debian machine, then
# configures and builds. Sourced by run.sh and test.sh.
set -euo pipefail

KINDRELA_SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KINDRELA_BUILD="${KINDRELA_BUILD:-$KINDRELA_SRC/build}"
# Compiled objects are shared between clones of the repository (CI builds a
# fresh clone each time): paths are hashed relative to the source folder.
export CCACHE_BASEDIR="$KINDRELA_SRC"
export CCACHE_NOHASHDIR=1

kindrela_packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev libxkbcommon-dev
  qt6-svg-dev qt6-translations-l10n
  libzip-dev
  libgtest-dev libgmock-dev
  libjpeg-dev libpng-dev zlib1g-dev
  xvfb xauth
)

kindrela_install() {
  local missing=()
  for p in "${kindrela_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

kindrela_build() {
  local jobs
  jobs="$(nproc)"
  if [ ! -f "$KINDRELA_BUILD/build.ninja" ]; then
    cmake -S "$KINDRELA_SRC" -B "$KINDRELA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$KINDRELA_BUILD" -j "$jobs"
}
