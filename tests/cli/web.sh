#!/usr/bin/env bash
# kindrela-cli web: the web site of the example tree, written as the save
# dialog writes it, with every link of every page leading somewhere.
# Usage: bash web.sh PATH-TO-KINDRELA-CLI SOURCE-DIR
set -u
source "$2/tests/cli/support/harness.sh" "$1"
exemple="$2/data/modele/1/exemple/Standard.kdg"

# Every relative href/src of the pages names a file of the folder.
broken_links() {
  local dir="$1" page target
  for page in "$dir"/*.htm; do
    grep -oE '(href|src)="[^"#]*' "$page" | sed -E 's/^(href|src)="//' | while read -r target; do
      case "$target" in ''|mailto:*|https:*) continue ;; esac
      [ -e "$dir/$target" ] || echo "$(basename "$page") -> $target"
    done
  done
}

for mode in 0 1 2 3; do
  expect_rc 0 "web, list mode $mode" -- "$cli" web "$exemple" "$work/site$mode" --list "$mode"
  expect_out "Standard.htm"
  [ -f "$work/site$mode/Standard.htm" ] && ok || fail "no main page in mode $mode"
  [ -f "$work/site$mode/page1.htm" ] && ok || fail "no card page in mode $mode"
  [ -f "$work/site$mode/dynadata.js" ] && ok || fail "no dynamic data in mode $mode"
  broken="$(broken_links "$work/site$mode")"
  [ -z "$broken" ] && ok || fail "broken links in mode $mode: $broken"
done

expect_rc 0 "web, table cards on one page" -- "$cli" web "$exemple" "$work/table" --table --cards-per-page 0 --name accueil
[ -f "$work/table/accueil.htm" ] && ok || fail "--name ignored"
[ ! -f "$work/table/page2.htm" ] && ok || fail "every card belongs on page1.htm"
grep -q 'class="fichetableau"' "$work/table/page1.htm" && ok || fail "no table card"

expect_rc 2 "a list mode out of range" -- "$cli" web "$exemple" "$work/x" --list 7
expect_rc 2 "a main page name with a folder" -- "$cli" web "$exemple" "$work/x" --name ../evil
expect_rc 1 "a missing tree" -- "$cli" web "$work/absent.kdg" "$work/x"
expect_err "missing tree"

finish
