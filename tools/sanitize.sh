#!/usr/bin/env bash
# The sanitizer pass: the whole test suite built with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/
# (installs clang the first time). A finding fails the test that met it,
# with the sanitizer's report in its output.
#   tools/sanitize.sh            build and run every test
#   tools/sanitize.sh -R regex   only the tests ctest selects
set -euo pipefail
source "$(dirname "$0")/setup.sh"
kindrela_build_sanitize
kindrela_sanitize_env
export QT_QPA_PLATFORM=offscreen
cd "$KINDRELA_BUILD_SANITIZE"
ctest --output-on-failure -j "$(nproc)" --timeout 900 "$@"
