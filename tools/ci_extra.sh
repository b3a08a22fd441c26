#!/usr/bin/env bash
# The passes beside ./test.sh, run by hand (not by .ci/run, for CI's time):
# the sanitizer pass over the whole suite, then every fuzz target for a few
# seconds (about a minute in all).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/sanitize.sh
tools/fuzz.sh "${KINDRELA_FUZZ_SECONDES:-6}"
