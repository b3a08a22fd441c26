#!/usr/bin/env bash
# Installs the built program into a temporary prefix (`cmake --install`,
# nothing is rebuilt) and checks the installed tree: the files desktops
# look for, their validators, and the program started from the prefix,
# which must find its data there and write only into the user's folders.
set -u
build="$1"
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (tools/setup.sh installs it)"
    exit 77
  fi
done
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
fail=0
check() {  # name, command...
  local name="$1"; shift
  if "$@" >"$work/out" 2>&1; then echo "ok $name"; else echo "FAIL $name"; cat "$work/out"; fail=1; fi
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  echo "FAIL cmake --install"; cat "$work/install.log"; exit 1
fi

id=org.tovamere.Kindrela
for f in bin/kindrela bin/kindrela-cli \
         share/kindrela/modele/famora.tra share/kindrela/modele/famora.ini \
         share/kindrela/modele/1/exemple/Standard.kdg share/kindrela/skins/defaut/skin.txt \
         share/kindrela/modele/1/aide/index.html share/kindrela/modele/2/aide/index.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/icons/hicolor/256x256/apps/$id.png; do
  check "installed $f" test -s "$prefix/$f"
done
check desktop-file-validate desktop-file-validate "$prefix/share/applications/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
# The file types load into a MIME database and name the tree file.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$work/mime/packages"
  cp "$prefix/share/mime/packages/$id.xml" "$work/mime/packages/"
  check update-mime-database update-mime-database "$work/mime"
  check "MIME glob *.kdg" grep -q "application/x-kindrela:\*.kdg" "$work/mime/globs"
fi

# The program from the prefix, on a fresh account: it opens the example tree
# a newcomer sees and ends once the chart is shown.
home="$work/home"
mkdir -p "$home"
touch "$work/avant"
sleep 1
(cd / && env -u KINDRELA_DOSSIER HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
   XDG_RUNTIME_DIR="$work" KINDRELA_MESSAGES=stderr KINDRELA_CHRONO=quitte QT_QPA_PLATFORM=offscreen \
   timeout 60 "$prefix/bin/kindrela" >/dev/null 2>"$work/err")
code=$?
if [ "$code" = 0 ] && grep -q "ms arbre affiche" "$work/err"; then
  echo "ok the installed program shows the example tree"
else
  echo "FAIL the installed program: exit $code"; cat "$work/err"; fail=1
fi
check "the example tree copied into the user's documents" \
  bash -c "find '$home' -name Standard.kdg | grep -q ."
changed="$(find "$prefix" -newer "$work/avant" | head)"
if [ -n "$changed" ]; then echo "FAIL the program wrote into its installation:"; echo "$changed"; fail=1
else echo "ok nothing written into the installation"; fi
check "kindrela-cli from the prefix" "$prefix/bin/kindrela-cli" info "$prefix/share/kindrela/modele/1/exemple/Standard.kdg"
exit $fail
