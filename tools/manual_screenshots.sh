#!/usr/bin/env bash
# Remakes the manual's screenshots (data/modele/<language>/aide/images/)
# from the built program, in French (language 1) and English (2): starts it
# under Xvfb with openbox on a fresh account with the example tree, drives
# it with xdotool and captures its windows with ImageMagick's `import`.
# Rerun it when the windows change:  tools/manual_screenshots.sh [BUILD]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
set +u
kindrela_install_list xvfb xauth openbox xdotool imagemagick optipng
build="$(cd "${1:-$KINDRELA_BUILD}" && pwd)"
exe="$build/bin/kindrela"
cli="$build/bin/kindrela-cli"
[ -x "$exe" ] && [ -x "$cli" ] || { echo "build kindrela and kindrela-cli first"; exit 1; }
# A fixed folder, so that the paths the windows show stay the same.
work=/tmp/kindrela-manuel
rm -rf "$work"; mkdir -p "$work"
pids=()
finish() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap finish EXIT

export DISPLAY=":$((90 + RANDOM % 100))"
Xvfb "$DISPLAY" -screen 0 1024x700x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
sleep 1
openbox >/dev/null 2>&1 & pids+=($!)
sleep 1

# The example tree as a GEDCOM file, for the import window.
"$cli" export "$KINDRELA_SRC/data/modele/1/exemple/Standard.kdg" "$work/Famille.ged" >/dev/null

# A program folder over the shipped data whose interface speaks language L.
program_folder() {
  local l="$1" dir="$work/prog$1"
  mkdir -p "$dir/modele"
  for f in "$KINDRELA_SRC"/data/modele/*; do
    [ "$(basename "$f")" = famora.ini ] || ln -s "$f" "$dir/modele/"
  done
  sed "s/^langue=.*/langue=$l\r/" "$KINDRELA_SRC/data/modele/famora.ini" >"$dir/modele/famora.ini"
  ln -s "$KINDRELA_SRC/data/skins" "$dir/skins"
}

start() {  # language, arguments...
  local l="$1"; shift
  HOME="$work/home$l" XDG_CONFIG_HOME="$work/home$l/.config" XDG_RUNTIME_DIR="$work" \
    KINDRELA_DOSSIER="$work/prog$l" KINDRELA_MESSAGES=stderr "$exe" "$@" >/dev/null 2>&1 &
  program=$!
  pids+=("$program")
}

stop() {
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}

# The window in front once it is named `title` (a regular expression).
window() {
  local title="$1" id=""
  for _ in $(seq 100); do
    id="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | tail -1 || true)"
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "no window named $title"; exit 1; }
  xdotool windowactivate --sync "$id" 2>/dev/null || true
  sleep 1.5
  echo "$id"
}

shoot() {  # window id or "root" (the whole screen, when windows overlap), file, width
  import -window "$1" "$work/shot.png"
  convert "$work/shot.png" -resize "$3x>" -colors 192 -strip "$2"
  optipng -quiet -o3 "$2"
  echo "  $2 ($(du -k "$2" | cut -f1) kB)"
}

for l in 1 2; do
  out="$KINDRELA_SRC/data/modele/$l/aide/images"
  mkdir -p "$out"
  program_folder "$l"
  echo "language $l:"
  start "$l"
  main="$(window '^Kindrela 2008.*kdg')"
  shoot "$main" "$out/arbre.png" 800
  # The record and the report are windows of their own over the chart.
  xdotool key --window "$main" F2; sleep 1.5
  shoot root "$out/fiche.png" 800
  xdotool windowactivate --sync "$main" 2>/dev/null || true
  xdotool key --window "$main" F2 F7; sleep 2
  shoot root "$out/rapport.png" 800
  stop
  start "$l" "$work/Famille.ged"
  dialog="$(window '^(Chargement|Load)')"
  shoot "$dialog" "$out/gedcom.png" 640
  stop
done
