#!/usr/bin/env bash
# Builds Kindrela (installing what it needs) and starts it: ./run.sh [FILE]
set -euo pipefail
source "$(dirname "$0")/tools/setup.sh"
kindrela_install
kindrela_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting under Xvfb."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$KINDRELA_BUILD/bin/kindrela" "$@"
fi
exec "$KINDRELA_BUILD/bin/kindrela" "$@"
