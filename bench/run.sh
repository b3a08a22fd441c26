#!/usr/bin/env bash
# Builds and runs the benchmarks (not part of the tests): bench/run.sh [build folder]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$src/build}"
benches=(database_bench tree_file_bench kinship_bench places_bench templates_bench
         consistency_bench gedcom_import_bench gedcom_export_bench layout_bench report_bench editing_bench web_site_bench chart_view_bench
         record_view_bench sources_view_bench calendar_map_view_bench search_view_bench)
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${benches[@]}"
"$build/bin/database_bench"
"$build/bin/tree_file_bench" 100000 5
for b in kinship_bench places_bench templates_bench consistency_bench gedcom_import_bench \
         gedcom_export_bench layout_bench report_bench editing_bench web_site_bench; do
  echo "== $b"
  "$build/bin/$b"
done
QT_QPA_PLATFORM=offscreen "$build/bin/chart_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/record_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/sources_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/calendar_map_view_bench"
QT_QPA_PLATFORM=offscreen "$build/bin/search_view_bench"
