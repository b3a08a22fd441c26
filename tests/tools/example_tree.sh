#!/usr/bin/env bash
# The shipped example trees are exactly what their generator writes today.
# Usage: bash example_tree.sh PATH-TO-MAKE_EXAMPLE_TREE SOURCE-DIR
set -u
gen="$1"
src="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
cp "$src/data/modele/famora.tra" "$work/"
mkdir -p "$work/1/exemple" "$work/2/exemple"
if "$gen" "$work" >"$work/out" 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); cat "$work/out"; fi
for f in "$work"/1/exemple/*.kdg "$work"/2/exemple/*.kdg; do
  rel="${f#$work/}"
  if cmp -s "$f" "$src/data/modele/$rel"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: data/modele/$rel differs from what make_example_tree writes (run it on data/modele)"
  fi
done
[ -z "$(ls "$work"/1/exemple/*.kdg 2>/dev/null)" ] && { failed=$((failed + 1)); echo "FAIL: nothing written"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
