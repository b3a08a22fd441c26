// Times a JavaScript GEDCOM parser that only builds a syntax tree, on the
// file the C++ import is timed on, for comparison.
//
// usage: node parse_gedcom_bench.js FILE [RUNS]
// Prints "parse-gedcom parse: <best seconds> s (<nodes> nodes)".
'use strict';
const fs = require('fs');
const { parse } = require('parse-gedcom');

const file = process.argv[2];
const runs = Math.max(1, Number(process.argv[3] || 3));
let best = Infinity;
let nodes = 0;
for (let i = 0; i < runs; ++i) {
  const start = process.hrtime.bigint();
  // Reading is part of the work, as for the import.
  const tree = parse(fs.readFileSync(file, 'latin1'));
  const seconds = Number(process.hrtime.bigint() - start) / 1e9;
  best = Math.min(best, seconds);
  nodes = tree.children.length;
}
console.log(`parse-gedcom parse: ${best.toFixed(3)} s (${nodes} records)`);
