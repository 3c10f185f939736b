// The page's figures on this machine: its size, the time from opening the
// file to Board 1 for a control string typed at once, and its double-dummy
// analysis of a 36-board set in headless Chromium against kveld-batch
// --analyse for the same set: the time, and the largest total of WebAssembly
// memory that the page's solving Workers held, against the 256 MB that a
// phone can spare. The machine is shared, so each analysis runs five
// times, the page's and kveld-batch's in turn, and the fastest of each
// counts.
// Usage: node page_bench.js NPM_PREFIX PAGE KVELD_BATCH
'use strict';
const { spawnSync } = require('child_process');
const fs = require('fs');
const { withPage, openPage } = require('./browser.js');

const [prefix, pagePath, batch] = process.argv.slice(2);
const SET = '123456789X';
const RUNS = 5;
const PHONE_MB = 256;
const seconds = (ms) => (ms / 1000).toFixed(2) + ' s';

async function openToBoardOne(page, url) {
  const start = Date.now();
  await page.goto(url);
  await page.waitForSelector('#control');
  await page.type('#control', SET, { delay: 0 });
  await page.keyboard.press('Enter');
  await page.waitForSelector('[role="region"][aria-label="Board 1"]', { visible: true, timeout: 60000 });
  return Date.now() - start;
}

async function main() {
  const bytes = fs.statSync(pagePath).size;
  console.log(`browser page: ${pagePath}, ${(bytes / 1024).toFixed(0)} KiB`);
  const { open, analysis } = await withPage(prefix, pagePath, null, async (page, url, refused) => {
    const times = [];
    for (let i = 0; i < 3; i++) times.push(await openToBoardOne(page, url));
    times.sort((a, b) => a - b);
    const analysis = [];
    for (let i = 0; i < RUNS; i++) {
      await page.goto('about:blank');
      await openPage(page, url, SET);
      await (await page.waitForSelector('#yes', { visible: true })).click();
      await (await page.waitForSelector('#analyse', { visible: true })).click();
      await page.waitForSelector('body[data-analysis-ms]', { timeout: 900000 });
      analysis.push(await page.$eval('body', (b) => ({ ms: Number(b.dataset.analysisMs),
        bytes: Number(b.dataset.analysisMemory) })));
      analysis[i].reference = batchAnalysis();
    }
    if (refused.length) throw new Error('the page asked for ' + refused.join(', '));
    return { open: times[1], analysis };
  });
  console.log(`browser page: open to Board 1 (median of 3): ${seconds(open)}`);
  const ours = Math.min(...analysis.map((a) => a.ms));
  const reference = Math.min(...analysis.map((a) => a.reference));
  console.log(`browser double-dummy, 36 boards: ${seconds(ours)} vs ${seconds(reference)} = ` +
    (ours / reference).toFixed(2));
  const megabytes = Math.max(...analysis.map((a) => a.bytes)) / (1024 * 1024);
  console.log(`browser memory, 36 boards: ${megabytes.toFixed(0)} MB vs ${PHONE_MB} MB = ` +
    (megabytes / PHONE_MB).toFixed(2));
}

// kveld-batch --analyse of the set: its time in milliseconds.
function batchAnalysis() {
  const start = process.hrtime.bigint();
  const r = spawnSync(batch, ['--analyse', '--format', 'pbn', SET], { timeout: 900000, maxBuffer: 64 << 20 });
  if (r.status !== 0) throw new Error('kveld-batch --analyse failed: ' + r.stderr);
  return Number(process.hrtime.bigint() - start) / 1e6;
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
