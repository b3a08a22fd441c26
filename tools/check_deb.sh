#!/usr/bin/env bash
# Builds the Debian package (CPack) and checks it, as root:
#   tools/check_deb.sh [BUILD]                 on this machine: installs it with
#       its dependencies (apt), starts the installed program on a fresh account
#       until the example tree is shown, then removes the package;
#   tools/check_deb.sh --chroot DIR [BUILD]    the same in a clean Debian 12
#       made by debootstrap in DIR (made the first time, reused after).
set -euo pipefail
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
root=""
if [ "${1:-}" = --chroot ]; then root="$(mkdir -p "$2" && cd "$2" && pwd)"; shift 2; fi
build="$(cd "${1:-$src/build}" && pwd)"
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/kindrela_*.deb | head -1)"
echo "package: $deb"
dpkg-deb -f "$deb" Depends Recommends

# Runs a shell command on the machine or in the chroot.
on() {
  if [ -n "$root" ]; then chroot "$root" /bin/sh -c "$1"; else /bin/sh -c "$1"; fi
}
if [ -n "$root" ]; then
  if [ ! -x "$root/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null ||
      DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap >/dev/null
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$build/debootstrap.log"
  fi
  mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
  trap 'umount "$root/proc" 2>/dev/null || true' EXIT
  cp "$deb" "$root/tmp/kindrela.deb"
  deb=/tmp/kindrela.deb
  on "apt-get update -q >/dev/null"
fi
if on "dpkg-query -W -f='\${Status}' kindrela 2>/dev/null" | grep -q "install ok installed"; then
  echo "kindrela is already installed there; remove it first"; exit 1
fi
on "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $deb" >"$build/check_deb.log" 2>&1 ||
  { cat "$build/check_deb.log"; exit 1; }
echo "installed"
on "dpkg -L kindrela" | grep -E "bin/|\.desktop$|metainfo.xml$|mime/packages/|scalable/apps/"
if [ -z "$root" ]; then
  desktop-file-validate /usr/share/applications/org.tovamere.Kindrela.desktop
  appstreamcli validate --no-net /usr/share/metainfo/org.tovamere.Kindrela.metainfo.xml
fi
# A fresh account; the program ends once the example tree is shown.
if on "rm -rf /tmp/kindrela-home && mkdir -p /tmp/kindrela-home && cd / && HOME=/tmp/kindrela-home \
    XDG_RUNTIME_DIR=/tmp/kindrela-home KINDRELA_MESSAGES=stderr KINDRELA_CHRONO=quitte \
    QT_QPA_PLATFORM=offscreen timeout 60 kindrela 2>/tmp/kindrela-home/err"; then
  on "grep 'arbre affiche' /tmp/kindrela-home/err"
  on "kindrela-cli info /usr/share/kindrela/modele/1/exemple/Standard.kdg" | head -1
  status=0
else
  echo "FAIL: the installed program"; on "cat /tmp/kindrela-home/err"; status=1
fi
on "DEBIAN_FRONTEND=noninteractive apt-get remove -y -q kindrela >/dev/null"
on "[ ! -e /usr/bin/kindrela ] && [ ! -e /usr/share/kindrela ]" && echo "removed cleanly"
exit $status
