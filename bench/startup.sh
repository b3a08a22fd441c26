#!/usr/bin/env bash
# The start-up time: from the command to the example tree's chart on the
# screen, under Xvfb with openbox, on a fresh account each run (the first
# start, which copies the example tree) and on the same account again (a
# later start, which reopens it). Prints each run and the medians, in ms
# since the process was created (KINDRELA_CHRONO, see src/gui/main/startup.h),
# and the whole run's wall time up to the program's end.
#   bench/startup.sh [BUILD] [RUNS]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$src/build}" && pwd)"
runs="${2:-10}"
exe="${KINDRELA_EXE:-$build/bin/kindrela}"
work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
export DISPLAY=":$((200 + RANDOM % 100))"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
sleep 1
# A window manager, as on a desktop, when there is one.
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & pids+=($!); sleep 1; fi

run() {  # home -> "shown_ms wall_ms"
  local debut fin
  debut=$(date +%s%N)
  HOME="$1" XDG_CONFIG_HOME="$1/.config" XDG_RUNTIME_DIR="$work" KINDRELA_MESSAGES=stderr \
    KINDRELA_CHRONO=quitte timeout 60 "$exe" 2>"$work/err" >/dev/null
  fin=$(date +%s%N)
  echo "$(grep -o '^kindrela: [0-9]* ms arbre affiche' "$work/err" | cut -d' ' -f2) $(( (fin - debut) / 1000000 ))"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: >"$work/first"; : >"$work/later"
for i in $(seq "$runs"); do
  home="$work/home$i"; mkdir -p "$home"
  r1="$(run "$home")"; r2="$(run "$home")"
  echo "run $i: first start $r1, later start $r2 (shown ms, wall ms)"
  echo "$r1" >>"$work/first"; echo "$r2" >>"$work/later"
done
for k in first later; do
  echo "$k start: chart shown after $(cut -d' ' -f1 "$work/$k" | median) ms, whole run $(cut -d' ' -f2 "$work/$k" | median) ms (medians of $runs)"
done
