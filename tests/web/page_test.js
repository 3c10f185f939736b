// The browser page as a person and a screen reader use it, in Debian's
// Chromium from file:// with every request outside the page refused: found
// by the names the page gives its parts, checked against kveld-batch's own
// output for the same control strings.
// Usage: node page_test.js NPM_PREFIX PAGE KVELD_BATCH [GROUP]
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { withPage, openPage } = require('./browser.js');

const [prefix, pagePath, batch, only] = process.argv.slice(2);
if (!fs.existsSync(pagePath)) throw new Error(pagePath + ' is missing: build it with `make web`');
const PHONE = { width: 390, height: 844 };
const SEATS = ['North', 'East', 'South', 'West'];

// The tests in groups, each run alone by CTest; a group that is not here
// fails rather than passing with nothing run.
const GROUPS = ['set_and_refusals', 'files', 'deal_files', 'analysis', 'link', 'keyboard_and_print'];
if (only && !GROUPS.includes(only)) throw new Error('no group ' + only);
function group(name, title, options, body) {
  if (!only || only === name) test(title, options, body);
}

// kveld-batch's file of a set in a format: its name and bytes.
function batchFile(format, text, options = []) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kveld-web-'));
  try {
    execFileSync(batch, ['--quiet', '--format', format, '--output', folder, ...options, text], { timeout: 600000 });
    const [name] = fs.readdirSync(folder);
    return { name, bytes: fs.readFileSync(path.join(folder, name)) };
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// What kveld-batch says of a string with --check: on standard output; on
// standard error the refusal (its name left out) and the strings one slip
// away.
function batchCheck(text) {
  const r = spawnSync(batch, ['--check', text], { timeout: 60000, encoding: 'utf8' });
  const [refusal, ...near] = r.stderr.trim().split('\n');
  const slip = 'kveld-batch: one slip away: ';
  return { out: r.stdout.trim(), refusal: refusal.replace(/^kveld-batch: /, ''),
    near: near.filter((l) => l.startsWith(slip)).map((l) => l.slice(slip.length)) };
}

// The hands of every board of a PBN file, as the Deal tags give them:
// [board-1] -> {North: [spades, hearts, diamonds, clubs], ...}.
function pbnHands(bytes) {
  return [...bytes.toString('latin1').matchAll(/\[Deal "N:([^"]*)"\]/g)].map((m) =>
    Object.fromEntries(m[1].split(' ').map((h, i) => [SEATS[i], h.split('.')])));
}

// The hands a board's region shows: its groups by seat, each suit's cards
// as the text after the suit's symbol (a void shown as a dash).
function shownHands(page, boardName) {
  return page.$eval(`[role="region"][aria-label="${boardName}"]`, (region, seats) =>
    Object.fromEntries(seats.map((seat) => [seat, [...region.querySelector(`[role="group"][aria-label="${seat}"]`)
      .children].slice(1).map((line) => {
      const cards = [...line.childNodes].slice(1).map((n) => n.textContent).join('').trim();
      return cards === '\u2014' ? '' : cards;
    })])), SEATS);
}

// Whether a board is drawn as a compass: North above West and East, South
// below them, West left of North and East right of it, the compass between.
function drawnAsCompass(page, boardName) {
  return page.$eval(`[role="region"][aria-label="${boardName}"]`, (region) => {
    const [n, e, s, w] = ['North', 'East', 'South', 'West'].map((seat) =>
      region.querySelector(`[role="group"][aria-label="${seat}"]`).getBoundingClientRect());
    const c = region.querySelector('.compass').getBoundingClientRect();
    return n.bottom <= w.top && n.bottom <= e.top && s.top >= w.bottom && s.top >= e.bottom &&
      w.right <= n.left && e.left >= n.right && c.left >= w.right && c.right <= e.left && c.top >= n.bottom;
  });
}

async function typeString(page, text) {
  const field = await page.$('aria/Control string');
  await field.click({ clickCount: 3 });
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
  await page.keyboard.press('Enter');
}

const alertText = (page) => page.$eval('[role="alert"]', (e) => e.textContent);
const visible = (page, selector) => page.waitForSelector(selector, { visible: true, timeout: 30000 });

// The bytes behind a download link and its file name.
function download(page, name) {
  return page.$eval(`aria/${name}[role="link"]`, async (a) => ({
    name: a.getAttribute('download'),
    bytes: Array.from(new Uint8Array(await (await fetch(a.href)).arrayBuffer())),
  })).then((f) => ({ name: f.name, bytes: Buffer.from(f.bytes) }));
}

// A PBN file without its %Creator line, which names the program.
const withoutCreator = (bytes) => bytes.toString('latin1').replace(/^%Creator: [^\r\n]*\r\n/m, '');

group('set_and_refusals', 'a valid string reaches the set; a refused one is said in the alert', { timeout: 180000 }, async () => {
  await withPage(prefix, pagePath, null, async (page, url, refused) => {
    await openPage(page, url);
    for (const text of ['12', '1234567890', '12345X7890', '100010000Y', '1000 1000 066', '1111111112']) {
      await typeString(page, text);
      await page.waitForFunction((t) => document.querySelector('[role="alert"]').textContent.includes(t), {}, text);
      assert.equal(await alertText(page), batchCheck(text).refusal, text);
      assert.equal(await page.$('aria/Board 1[role="region"]'), null, text);
    }
    // One digit wrong: kveld-batch's valid strings one slip away, each with
    // its set and Board 1's North hand, shown at phone width; choosing one
    // goes to its Board 1.
    await page.setViewport(PHONE);
    await typeString(page, '1000100007');
    await visible(page, 'aria/Valid strings one slip away[role="region"]');
    const { near } = batchCheck('1000100007');
    assert.equal(near.length, 11);
    const shownNear = await page.$$eval('#near-list li', (items) => items.map((li) => {
      const [spades, hearts, diamonds, clubs] = [...li.querySelectorAll('[aria-label="North"] > div:not(.seat)')]
        .map((line) => [...line.childNodes].slice(1).map((n) => n.textContent).join('').trim().replace('\u2014', '--'));
      return `${li.querySelector('button').textContent}  ${li.querySelector('span').textContent}  ` +
        `${li.querySelector('.seat').textContent} S ${spades} H ${hearts} D ${diamonds} C ${clubs}`;
    }));
    // The seat with its high-card points, A 4, K 3, Q 2, J 1.
    const points = (line) => [...line.slice(line.indexOf(' S '))].reduce((p, c) => p + ({ A: 4, K: 3, Q: 2, J: 1 }[c] || 0), 0);
    assert.deepEqual(shownNear, near.map((line) => line.replace('  North ', `  North ${points(line)} HCP `)));
    assert.ok(await page.evaluate(() => document.scrollingElement.scrollWidth <= innerWidth), 'no horizontal scroll');
    await (await page.$('aria/1000100006[role="button"]')).click();
    await visible(page, 'aria/Board 1[role="region"]');
    assert.deepEqual(await shownHands(page, 'Board 1'), pbnHands(batchFile('pbn', '1000100006').bytes)[0]);
    await page.setViewport({ width: 1280, height: 900 });
    await (await page.$('aria/No[role="button"]')).click();
    await visible(page, '#entry');
    assert.equal(await page.$('#near:not([hidden])'), null);

    const text = '1000100006';
    const pbn = pbnHands(batchFile('pbn', text).bytes);
    await typeString(page, text);
    await visible(page, 'aria/Board 1[role="region"]');
    assert.equal(await alertText(page), '');
    assert.deepEqual(await shownHands(page, 'Board 1'), pbn[0]);
    assert.ok(await drawnAsCompass(page, 'Board 1'));
    assert.match(await page.$eval('body', (b) => b.innerText), /Does this deal match Board #1 on the handrecord\?/);
    await (await page.$('aria/Yes[role="button"]')).click();
    await visible(page, '#set');
    assert.equal(text + ': ' + (await page.$eval('#set h2', (h) => h.textContent)), batchCheck(text).out);
    for (let board = 1; board <= pbn.length; board++)
      assert.deepEqual(await shownHands(page, 'Board ' + board), pbn[board - 1], 'Board ' + board);
    assert.equal(await page.$(`aria/Board ${pbn.length + 1}[role="region"]`), null);
    assert.deepEqual(refused, []);
  });
});

group('files', 'the archive and PBN files are the bytes kveld-batch writes', { timeout: 180000 }, async () => {
  await withPage(prefix, pagePath, null, async (page, url, refused) => {
    for (const text of ['1000100006', '123456789X', '0000000000']) {
      await openPage(page, url, text);
      await (await visible(page, 'aria/Yes[role="button"]')).click();
      await visible(page, '#set');
      const archive = await download(page, 'DeepFinesse archive');
      const reference = batchFile('archive', text);
      assert.equal(archive.name, reference.name, text);
      assert.ok(archive.bytes.equals(reference.bytes), text + ': archive bytes');
      const pbn = await download(page, 'PBN');
      const referencePbn = batchFile('pbn', text);
      assert.equal(pbn.name, referencePbn.name, text);
      assert.match(pbn.bytes.toString('latin1'), /^%Creator: kveld\.html \S+\r$/m);
      assert.equal(withoutCreator(pbn.bytes), withoutCreator(referencePbn.bytes), text + ': PBN');
    }
    assert.deepEqual(refused, []);
  });
});

// The formats a deal file may come in, by the names of the page's links.
const DEAL_FORMATS = { 'DeepFinesse archive': 'archive', PBN: 'pbn', LIN: 'lin', BRI: 'bri', DUP: 'dup', DLM: 'dlm' };

// kveld-batch on a deal file: what --check shows and says, and the file it
// writes in a format (none when the format cannot hold the set).
function batchOnFile(file, format) {
  const r = spawnSync(batch, ['--check', '--input', file], { timeout: 60000, encoding: 'utf8' });
  const check = { out: r.stdout.trim(), refusal: r.stderr.trim().replace(/^kveld-batch: /, '') };
  if (!format) return check;
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kveld-web-'));
  try {
    spawnSync(batch, ['--quiet', '--format', format, '--output', folder, '--input', file], { timeout: 60000 });
    const [name] = fs.readdirSync(folder);
    return name ? { name, bytes: fs.readFileSync(path.join(folder, name)) } : null;
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

async function chooseFile(page, file) {
  const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 30000 }),
    page.click('aria/Open a deal file[role="button"]')]);
  await chooser.accept([file]);
}

group('deal_files', 'a deal file opened or dropped is shown and written as kveld-batch does', { timeout: 240000 }, async () => {
  await withPage(prefix, pagePath, PHONE, async (page, url, refused) => {
    await openPage(page, url);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kveld-deal-'));
    for (const format of Object.values(DEAL_FORMATS)) {
      const file = batchFile(format, '123456789X');
      const where = path.join(folder, file.name);
      fs.writeFileSync(where, file.bytes);
      await chooseFile(page, where);
      await page.waitForFunction((n) => document.querySelector('#set-control').textContent === 'File ' + n, {}, file.name);
      assert.equal(where + ': ' + (await page.$eval('#set h2', (h) => h.textContent)), batchOnFile(where).out, format);
      const hands = pbnHands(batchOnFile(where, 'pbn').bytes);
      for (let board = 1; board <= hands.length; board++)
        assert.deepEqual(await shownHands(page, 'Board ' + board), hands[board - 1], format + ' Board ' + board);
      // A link for each format that holds the set, with kveld-batch's bytes.
      const links = await page.$$eval('#files a', (as) => as.map((a) => a.textContent));
      const held = Object.keys(DEAL_FORMATS).filter((label) => batchOnFile(where, DEAL_FORMATS[label]));
      assert.deepEqual(links, held, format);
      for (const label of links) {
        const shown = await download(page, label);
        const reference = batchOnFile(where, DEAL_FORMATS[label]);
        assert.equal(shown.name, reference.name, format + ' ' + label);
        assert.equal(withoutCreator(shown.bytes), withoutCreator(reference.bytes), format + ' ' + label);
      }
      await (await page.$('aria/Another set[role="button"]')).click();
    }
    // Dropped on the page, a file that is no deal file: kveld-batch's words.
    const broken = path.join(folder, 'notes.pbn');
    fs.writeFileSync(broken, 'Board 1: the ace of spades\n');
    await page.evaluate(async (name, text) => {
      const data = new DataTransfer();
      data.items.add(new File([text], name));
      document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, 'notes.pbn', fs.readFileSync(broken, 'latin1'));
    await page.waitForFunction(() => document.querySelector('[role="alert"]').textContent !== '');
    assert.equal(await alertText(page), batchOnFile(broken).refusal.replace(broken, 'notes.pbn'));
    fs.rmSync(folder, { recursive: true, force: true });
    assert.deepEqual(refused, []);
  });
});

// On a phone that reports eight cores and 4 GB: Stop ends the Workers while
// they solve, and Analyse then solves the set again from the start, four
// Workers within 256 MB together.
group('analysis', 'Analyse solves the set as kveld-batch --analyse does, on a phone, after a Stop', { timeout: 900000 }, async () => {
  await withPage(prefix, pagePath, PHONE, async (page, url, refused) => {
    await page.evaluateOnNewDocument(() => {
      Object.defineProperty(navigator, 'hardwareConcurrency', { get: () => 8 });
      Object.defineProperty(navigator, 'deviceMemory', { get: () => 4 });
    });
    const text = '1000100006';
    await openPage(page, url, text);
    await (await visible(page, 'aria/Yes[role="button"]')).click();
    await (await visible(page, 'aria/Analyse[role="button"]')).click();
    await visible(page, '[role="progressbar"]');
    await page.waitForFunction(() => document.querySelector('#progress-text').textContent.match(/^[1-9]\d* of 24/),
      { polling: 50, timeout: 300000 });
    assert.equal(page.workers().length, 4);
    await (await page.$('aria/Stop[role="button"]')).click();
    const stoppedAt = await page.$eval('[role="progressbar"]', (b) => b.hidden && b.getAttribute('aria-valuenow'));
    for (let i = 0; i < 50 && page.workers().length > 0; i++) await new Promise((r) => setTimeout(r, 100));
    assert.deepEqual(page.workers(), []);
    assert.ok(await page.$eval('#stop', (b) => b.hidden));
    assert.equal(await page.$$eval('#boards table', (t) => t.length), 0);
    assert.match(await page.$eval('[role="status"]', (s) => s.textContent), new RegExp(`^Stopped after ${stoppedAt} of 24 `));

    await (await page.$('aria/Analyse[role="button"]')).click();
    await page.waitForFunction(() => document.querySelectorAll('#boards table').length > 0, { timeout: 850000 });
    assert.equal(await page.$('[role="progressbar"]:not([hidden])'), null);
    assert.ok(Number(await page.$eval('body', (b) => b.dataset.analysisMemory)) <= 256 * 1024 * 1024);
    const pbn = await download(page, 'PBN');
    const reference = batchFile('pbn', text, ['--analyse']);
    assert.equal(withoutCreator(pbn.bytes), withoutCreator(reference.bytes));
    // Each board shows the par of its [OptimumScore] and a table of tricks.
    const scores = [...reference.bytes.toString('latin1').matchAll(/\[OptimumScore "([^"]*)"\]/g)].map((m) => m[1]);
    const shown = await page.$$eval('#boards [role="region"]', (regions) =>
      regions.map((r) => [r.querySelector('.par b').textContent, r.querySelectorAll('td').length]));
    assert.deepEqual(shown, scores.map((s) => ['Par ' + s, 20]));
    assert.ok(await page.evaluate(() => document.scrollingElement.scrollWidth <= innerWidth), 'no horizontal scroll');
    assert.deepEqual(refused, []);
  });
});

group('link', 'a #string link opens at Board 1, and the address follows the string', { timeout: 180000 }, async () => {
  await withPage(prefix, pagePath, PHONE, async (page, url, refused) => {
    await openPage(page, url, '1000100006');
    await visible(page, 'aria/Board 1[role="region"]');
    assert.deepEqual(await shownHands(page, 'Board 1'), pbnHands(batchFile('pbn', '1000100006').bytes)[0]);
    assert.ok(await page.evaluate(() => document.scrollingElement.scrollWidth <= innerWidth), 'no horizontal scroll');
    await (await page.$('aria/No[role="button"]')).click();
    await visible(page, '#entry');
    assert.equal(await page.$eval('aria/Control string', (f) => f.value), '1000100006');
    assert.equal(await page.evaluate(() => location.hash), '');
    await typeString(page, '123456789X');
    await visible(page, 'aria/Board 1[role="region"]');
    assert.equal(await page.evaluate(() => location.hash), '#123456789X');
    assert.deepEqual(await shownHands(page, 'Board 1'), pbnHands(batchFile('pbn', '123456789X').bytes)[0]);
    await openPage(page, url, '12');
    await page.waitForFunction(() => document.querySelector('[role="alert"]').textContent !== '');
    assert.equal(await alertText(page), batchCheck('12').refusal);
    assert.deepEqual(refused, []);
  });
});

group('keyboard_and_print', 'the keyboard alone reaches the set and its printed hand record', { timeout: 300000 }, async () => {
  await withPage(prefix, pagePath, null, async (page, url, refused) => {
    await openPage(page, url);
    const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.textContent);
    const tabTo = async (id) => {
      for (let i = 0; i < 12 && (await focused()) !== id; i++) await page.keyboard.press('Tab');
      assert.equal(await focused(), id);
    };
    await tabTo('control');
    await page.keyboard.type('123456789x');
    await page.keyboard.press('Enter');
    await visible(page, 'aria/Board 1[role="region"]');
    await page.keyboard.press('n');
    await visible(page, '#entry');
    assert.equal(await focused(), 'control');
    await page.keyboard.press('Enter');
    await visible(page, 'aria/Board 1[role="region"]');
    await page.keyboard.press('y');
    await visible(page, '#set');
    await tabTo('print');
    await page.keyboard.press('Enter');
    const frame = await page.waitForSelector('iframe[title="Hand record"]', { timeout: 30000 });
    const record = await frame.evaluate((f) => f.srcdoc);
    // kveld-batch's printable page but for the program it names.
    const generator = /<meta name="generator" content="[^"]*">/;
    const reference = batchFile('html', '123456789x').bytes.toString('utf8');
    assert.equal(record.replace(generator, ''), reference.replace(generator, ''));
    // Printed: six boards a page, on A4 and on Letter.
    const printed = await page.browser().newPage();
    await printed.setJavaScriptEnabled(false);
    await printed.setContent(record);
    for (const format of ['A4', 'Letter']) {
      const pdf = Buffer.from(await printed.pdf({ format, printBackground: true }));
      assert.equal(pdf.toString('latin1').match(/\/Type\s*\/Page\b/g).length, 6, format);
    }
    assert.deepEqual(refused, []);
  });
});
