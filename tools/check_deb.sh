#!/usr/bin/env bash
# Builds the Debian package (CPack) and checks it on this machine: installs
# it with its dependencies (apt), starts the installed program on a fresh
# account until the example tree is shown, then removes the package.
# As root. Usage: tools/check_deb.sh [BUILD]
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$src/build}" && pwd)"
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/kindrela_*.deb | head -1)"
echo "package: $deb"
dpkg-deb -f "$deb" Depends Recommends
if dpkg-query -W -f='${Status}' kindrela 2>/dev/null | grep -q "install ok installed"; then
  echo "kindrela is already installed here; remove it first"; exit 1
fi
work="$(mktemp -d)"
cleanup() { dpkg -r kindrela >/dev/null 2>&1 || true; rm -rf "$work"; }
trap cleanup EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; exit 1; }
dpkg -L kindrela | grep -E "bin/|\.desktop|metainfo|mime/packages|scalable" 
desktop-file-validate /usr/share/applications/org.tovamere.Kindrela.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.tovamere.Kindrela.metainfo.xml
mkdir -p "$work/home"
(cd / && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work" \
   KINDRELA_MESSAGES=stderr KINDRELA_CHRONO=quitte QT_QPA_PLATFORM=offscreen timeout 60 kindrela 2>"$work/err") ||
  { echo "FAIL: the installed program"; cat "$work/err"; exit 1; }
grep "arbre affiche" "$work/err"
dpkg -r kindrela >/dev/null
[ ! -e /usr/bin/kindrela ] && [ ! -e /usr/share/kindrela ] && echo "removed cleanly"
echo "ok"
