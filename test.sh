#!/usr/bin/env bash
# Builds Kindrela (installing what it needs) and runs every test.
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
kindrela_install
kindrela_build
export QT_QPA_PLATFORM=offscreen
cd "$KINDRELA_BUILD"
ctest --output-on-failure -j "$(nproc)" --timeout 600
