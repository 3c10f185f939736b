// Reading a PBN file of 100,000 boards: our reader (kveld_benchmarks'
// ReadingPbnFile, which writes the file) against npm's "pbn" under Node,
// both from the bytes in memory, both checking that every board holds 52
// cards. Prints "reading PBN, 100,000 boards: OURS vs npm pbn = RATIO".
// Usage: node pbn_bench.js NPM_PREFIX KVELD_BENCH
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { Readable } = require('stream');

const [prefix, bench] = process.argv.slice(2);
const pbn = require(path.join(prefix, 'node_modules', 'pbn'));
const BOARDS = 100000;

function ours(file) {
  const report = file + '.json';
  execFileSync(bench, ['--benchmark_filter=^ReadingPbnFile', '--benchmark_out=' + report,
    '--benchmark_out_format=json'], {
    env: { ...process.env, KVELD_PBN_FILE: file },
    stdio: 'ignore',
    timeout: 600000,
  });
  const run = JSON.parse(fs.readFileSync(report, 'utf8')).benchmarks.find((b) => b.name.startsWith('ReadingPbnFile'));
  if (!run || run.error_occurred) throw new Error('our reader: ' + (run ? run.error_message : 'not run'));
  return run.real_time;  // milliseconds
}

function reference(bytes) {
  return new Promise((resolve, reject) => {
    const start = process.hrtime.bigint();
    let boards = 0;
    Readable.from([bytes])
      .pipe(pbn())
      .on('data', (d) => {
        if (d.type === 'tag' && d.name === 'Deal') {
          if (!d.cards || d.cards.length !== 52) reject(new Error('npm pbn: a deal without 52 cards'));
          boards++;
        }
      })
      .on('error', reject)
      .on('end', () => {
        if (boards !== BOARDS) reject(new Error('npm pbn read ' + boards + ' boards'));
        resolve(Number(process.hrtime.bigint() - start) / 1e6);
      });
  });
}

async function main() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'kveld-pbn-bench-'));
  const file = path.join(dir, 'bench.pbn');
  try {
    const mine = ours(file);
    const bytes = fs.readFileSync(file);
    const times = [];
    for (let i = 0; i < 3; i++) times.push(await reference(bytes));
    times.sort((a, b) => a - b);
    const theirs = times[1];
    console.log(`reading PBN, 100,000 boards: ${mine.toFixed(3)} ms vs ${theirs.toFixed(3)} ms = ` +
      (mine / theirs).toFixed(2));
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
