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
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libzip-dev
  libsane-dev
  libgtest-dev libgmock-dev
  libjpeg-dev libpng-dev zlib1g-dev
  xvfb xauth
  desktop-file-utils appstream shared-mime-info
)

# The sanitizer and fuzzing pass only (tools/sanitize.sh, tools/fuzz.sh):
# clang with its sanitizer and libFuzzer runtimes, and the symbolizer that
# names the lines of a report.
kindrela_clang_packages=(clang-16 libclang-rt-16-dev llvm-16)
# KINDRELA_SANITIZE_UI=OFF leaves the windows out of that pass (the core,
# the command line and the fuzz targets only), in a folder of its own.
KINDRELA_SANITIZE_UI="${KINDRELA_SANITIZE_UI:-ON}"
if [ "$KINDRELA_SANITIZE_UI" = OFF ]; then
  KINDRELA_BUILD_SANITIZE="${KINDRELA_BUILD_SANITIZE:-$KINDRELA_SRC/build-sanitize-core}"
else
  KINDRELA_BUILD_SANITIZE="${KINDRELA_BUILD_SANITIZE:-$KINDRELA_SRC/build-sanitize}"
fi

kindrela_install() {
  kindrela_install_list "${kindrela_packages[@]}"
}

kindrela_install_list() {
  local missing=()
  for p in "$@"; do
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

# The same suite built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, with the fuzz targets, in a folder of its own
# (objects come from the shared compiler cache like the normal build's).
kindrela_build_sanitize() {
  kindrela_install
  kindrela_install_list "${kindrela_clang_packages[@]}"
  if [ ! -f "$KINDRELA_BUILD_SANITIZE/build.ninja" ]; then
    CC=clang-16 CXX=clang++-16 cmake -S "$KINDRELA_SRC" -B "$KINDRELA_BUILD_SANITIZE" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKINDRELA_SANITIZE=ON -DKINDRELA_FUZZ=ON -DKINDRELA_BENCH=OFF \
      -DKINDRELA_UI="$KINDRELA_SANITIZE_UI"
  fi
  cmake --build "$KINDRELA_BUILD_SANITIZE" -j "$(nproc)" "$@"
}

# What the sanitizers do on a finding: stop the test with the whole report.
kindrela_sanitize_env() {
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$KINDRELA_SRC/tools/lsan.supp:print_suppressions=0}"
  if command -v llvm-symbolizer-16 >/dev/null; then
    export ASAN_SYMBOLIZER_PATH="$(command -v llvm-symbolizer-16)"
  fi
}
