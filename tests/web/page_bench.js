// The page's figures on this machine: its size, the time from opening the
// file to Board 1 for a control string typed at once, and its double-dummy
// analysis of a 36-board set in headless Chromium against kveld-batch
// --analyse for the same set.
// Usage: node page_bench.js NPM_PREFIX PAGE KVELD_BATCH
'use strict';
const { spawnSync } = require('child_process');
const fs = require('fs');
const { withPage, openPage } = require('./browser.js');

const [prefix, pagePath, batch] = process.argv.slice(2);
const SET = '123456789X';
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
    await openPage(page, url, SET);
    await (await page.waitForSelector('#yes', { visible: true })).click();
    await (await page.waitForSelector('#analyse', { visible: true })).click();
    await page.waitForSelector('body[data-analysis-ms]', { timeout: 900000 });
    const ms = Number(await page.$eval('body', (b) => b.dataset.analysisMs));
    if (refused.length) throw new Error('the page asked for ' + refused.join(', '));
    return { open: times[1], analysis: ms };
  });
  console.log(`browser page: open to Board 1 (median of 3): ${seconds(open)}`);
  const start = process.hrtime.bigint();
  const r = spawnSync(batch, ['--analyse', '--format', 'pbn', SET], { timeout: 900000, maxBuffer: 64 << 20 });
  const reference = Number(process.hrtime.bigint() - start) / 1e6;
  if (r.status !== 0) throw new Error('kveld-batch --analyse failed: ' + r.stderr);
  console.log(`browser double-dummy, 36 boards: ${seconds(analysis)} vs ${seconds(reference)} = ` +
    (analysis / reference).toFixed(2));
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
