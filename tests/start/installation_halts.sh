#!/usr/bin/env bash
# Starts the program on damaged copies of the installation and checks each
# halt: its message, its exit code, and that nothing was written.
set -u
exe="$1"; src="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
fail=0

# A fresh program folder holding a copy of the installation data.
install() {
  rm -rf "$work/prog" "$work/home"
  mkdir -p "$work/prog" "$work/home"
  cp -rL "$src/data/modele" "$work/prog/modele"
  cp -rL "$src/data/skins" "$work/prog/skins"
}

run() {
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DOCUMENTS_DIR="$work/home/Documents" \
  KINDRELA_DOSSIER="$work/prog" KINDRELA_MESSAGES=stderr QT_QPA_PLATFORM=offscreen \
    timeout 20 "$exe" "$@" 2>"$work/err" >/dev/null
}

expect() {  # name, expected exit code, expected message
  local name="$1" code="$2" message="$3"
  shift 3
  run "$@"; local got=$?
  if [ "$got" != "$code" ]; then echo "FAIL $name: exit $got, expected $code"; cat "$work/err"; fail=1; return; fi
  if [ -n "$message" ] && ! grep -qxF "$message" "$work/err"; then
    echo "FAIL $name: message"; cat "$work/err"; echo "expected: $message"; fail=1; return
  fi
  if find "$work/home" -name gene.ini | grep -q .; then echo "FAIL $name: gene.ini written"; fail=1; return; fi
  echo "ok $name"
}

install; rm "$work/prog/modele/famora.tra"
expect MissingTranslation 1 "Not Found : modele/famora.tra"

install; rm "$work/prog/modele/famora.ini"
expect MissingProgramSettings 1 "Not Found : modele/famora.ini"

install; rm -rf "$work/prog/modele/1/rapport"
expect MissingReportFolder 1 "$work/prog/modele/1/rapport/"

install; rm -rf "$work/prog/modele/0/ImageArbre"
expect MissingChartImages 1 "$work/prog/modele/0/ImageArbre/"

install; grep -v -i '^folder_ma_famora;' "$work/prog/modele/famora.tra" > "$work/t" && mv "$work/t" "$work/prog/modele/famora.tra"
expect MissingFolderName 1 "MLS : folder_ma_famora"

install
expect ReminderOnly 0 "" -anniv

exit $fail
