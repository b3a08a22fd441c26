#!/usr/bin/env bash
# Builds and runs the benchmarks (not part of the tests): bench/run.sh [build folder]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$src/build}"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target database_bench tree_file_bench
"$build/bin/database_bench"
"$build/bin/tree_file_bench" 100000 5
