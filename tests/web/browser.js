// Debian's Chromium driven by puppeteer-core for the page's tests and its
// benchmark: headless, a fresh profile each time, quiet about the network,
// and every request that is not the page itself (or a Blob or data: URL it
// makes) refused and remembered.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');

function puppeteerFrom(prefix) {
  return require(path.resolve(prefix, 'node_modules', 'puppeteer-core'));
}

// Runs `body(page, url, refused)` in a new browser and closes it however
// the body ends. `refused` lists the URLs of requests that were refused.
async function withPage(prefix, pagePath, viewport, body) {
  const puppeteer = puppeteerFrom(prefix);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kveld-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.KVELD_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-gpu', '--disable-quic'],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport(viewport || { width: 1280, height: 900 });
    const url = pathToFileURL(path.resolve(pagePath)).href;
    const refused = [];
    await page.setRequestInterception(true);
    page.on('request', (request) => {
      const u = request.url();
      if (u.split('#')[0] === url || /^(blob|data|about):/.test(u)) request.continue();
      else {
        refused.push(u);
        request.abort('blockedbyclient');
      }
    });
    page.on('pageerror', (e) => refused.push('page error: ' + e.message));
    return await body(page, url, refused);
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// Opens the page (with `hash`, if given) and waits for its module.
async function openPage(page, url, hash) {
  await page.goto(url + (hash ? '#' + hash : ''));
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
}

module.exports = { withPage, openPage };
