// Reads kveld-batch's PBN back with a PBN reader we did not write (npm's
// "pbn") and compares every board with the dealer's hands, which the
// archive format writes as the interactive program does.
// Usage: node pbn_readback.js KVELD_BATCH NPM_PREFIX
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const { Readable } = require('stream');

const [batch, prefix] = process.argv.slice(2);
const pbn = require(path.join(prefix, 'node_modules', 'pbn'));

let passed = 0;
let failed = 0;
function check(ok, what) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.log('FAILED: ' + what);
  }
}

function runBatch(args, input) {
  return execFileSync(batch, args, { input: input || '', timeout: 60000, maxBuffer: 64 << 20 });
}

// The PBN reader's events, grouped into games of tags.
function readPbn(bytes) {
  return new Promise((resolve, reject) => {
    const games = [];
    const directives = [];
    Readable.from([bytes])
      .pipe(pbn())
      .on('data', (d) => {
        if (d.type === 'directive') directives.push(d.text);
        if (d.type === 'game') games.push([]);
        if (d.type === 'tag') games[games.length - 1].push(d);
      })
      .on('error', reject)
      .on('end', () => resolve({ games, directives }));
  });
}

// Hands by seat and suit ("AKQ", "" for a void) from the reader's cards.
function handsOfDeal(tag) {
  const hands = {};
  for (const seat of 'NESW') hands[seat] = { S: '', H: '', D: '', C: '' };
  for (const c of tag.cards) hands[c.seat][c.suit] += c.rank;
  return hands;
}

// The same from the archive file: North on the "Deal:" line at column 40,
// West at column 23 and East at column 57 of the next, South at column 40 of
// the one after.
function handsOfArchive(text) {
  const lines = text.split('\r\n');
  const boards = [];
  const parse = (handLine) => {
    const [S, H, D, C] = handLine.trim().split(' ').map((h) => (h === '--' ? '' : h));
    return { S, H, D, C };
  };
  for (let i = 0; i < lines.length; i++) {
    if (!lines[i].startsWith('Deal: ')) continue;
    const contract = lines[i + 1];
    boards.push({
      N: parse(lines[i].substring(39)),
      E: parse(contract.substring(56)),
      S: parse(lines[i + 2].substring(39)),
      W: parse(contract.substring(22, 56)),
    });
  }
  return boards;
}

const mandatory = ['Event', 'Site', 'Date', 'Board', 'West', 'North', 'East', 'South', 'Dealer', 'Vulnerable',
  'Deal', 'Scoring', 'Declarer', 'Contract', 'Result'];
const vulnerable = ['None', 'NS', 'EW', 'All', 'NS', 'EW', 'All', 'None', 'EW', 'All', 'None', 'NS', 'All', 'None',
  'NS', 'EW'];

async function main() {
  const sets = ['1000100006', '0102230455', '123456789X', '0000000000', '506020300X', '9999499996', '9999899994'];
  let allBoards = 0;
  for (const control of sets) {
    const bytes = runBatch(['-f', 'pbn', control]);
    const text = bytes.toString('latin1');
    check(/^[\x20-\x7e\r\n]*$/.test(text), control + ': ASCII only');
    check(!/\r(?!\n)|(?<!\r)\n/.test(text), control + ': every line ends in CR LF');
    check(text.split('\r\n').every((l) => l.length <= 255), control + ': no line over 255 characters');
    const { games, directives } = await readPbn(bytes);
    check(directives[0] === 'PBN 2.1' && directives[1] === 'EXPORT', control + ': export-format header');
    const archive = handsOfArchive(runBatch([control]).toString('latin1'));
    check(games.length === archive.length && (games.length === 24 || games.length === 36),
      control + ': ' + games.length + ' games for ' + archive.length + ' boards');
    games.forEach((tags, i) => {
      const board = i + 1;
      const where = control + ' board ' + board;
      check(JSON.stringify(tags.map((t) => t.name)) === JSON.stringify(mandatory), where + ': mandatory tags in order');
      const tag = (name) => tags.find((t) => t.name === name) || {};
      check(tag('Board').value === String(board), where + ': Board tag');
      check(tag('Dealer').value === 'NESW'[(board - 1) % 4], where + ': dealer');
      check(tag('Vulnerable').value === vulnerable[(board - 1) % 16], where + ': vulnerability');
      const deal = tag('Deal');
      check(deal.cards && deal.cards.length === 52, where + ': 52 cards');
      const read = JSON.stringify(handsOfDeal(deal));
      check(read === JSON.stringify(archive[i]), where + ': hands as dealt, read ' + read);
      allBoards++;
    });
    if (control === '1000100006') {
      // Board 1 as the Board 1 screen shows it.
      const hands = handsOfDeal(games[0].find((t) => t.name === 'Deal'));
      check(JSON.stringify(hands) === JSON.stringify({
        N: { S: '98', H: 'T63', D: 'J432', C: '9632' },
        E: { S: 'A7653', H: 'A92', D: 'K87', C: 'KQ' },
        S: { S: 'QJ42', H: 'Q75', D: '5', C: 'AT754' },
        W: { S: 'KT', H: 'KJ84', D: 'AQT96', C: 'J8' },
      }), '1000100006: Board 1 as on the screen, got ' + JSON.stringify(hands));
    }
  }
  // Every set in one stream from standard input: one header, all games.
  const stream = runBatch(['-f', 'pbn', '-'], '# all sets\n\n' + sets.join('\n') + '\n');
  const { games } = await readPbn(stream);
  check(games.length === allBoards, 'one stream holds all ' + allBoards + ' games, got ' + games.length);

  console.log(passed + ' passed, ' + failed + ' failed');
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((e) => {
  console.log('FAILED: ' + e.message);
  process.exit(1);
});
