// The page: the control string's field, Board 1 and its question, then the
// whole set with its files, its analysis and its print; or a deal file,
// opened or dropped on the page, read here and shown as a set. Every fact shown
// (refusals, hands, dealers, vulnerabilities, files, tricks, par) comes from
// the WebAssembly module, the library that kveld-batch is built from; this
// script only lays out the text it is given.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const SUITS = [
    { symbol: '\u2660', name: 'spades', red: false },
    { symbol: '\u2665', name: 'hearts', red: true },
    { symbol: '\u2666', name: 'diamonds', red: true },
    { symbol: '\u2663', name: 'clubs', red: false },
  ];
  // The module's WebAssembly is compiled once, for the page and for every
  // solving Worker, which share its code; the Workers get the module's
  // script without the WebAssembly inside it. Where the script does not
  // hold it as expected, each compiles its own.
  // (The base64 of a WebAssembly file begins "AGFzbQ", its "\0asm".)
  const WASM_PREFIX = 'data:application/octet-stream;base64,';
  const moduleScript = $('kveld-module').textContent;
  const wasmAt = moduleScript.indexOf(WASM_PREFIX + 'AGFzbQ') + WASM_PREFIX.length;
  const wasmEnd = wasmAt < WASM_PREFIX.length ? -1 : moduleScript.indexOf('"', wasmAt);
  const moduleText = wasmEnd < 0 ? moduleScript : moduleScript.slice(0, wasmAt) + moduleScript.slice(wasmEnd);
  const compiled = wasmEnd < 0 ? Promise.resolve(null) :
    WebAssembly.compile(Uint8Array.from(atob(moduleScript.slice(wasmAt, wasmEnd)), (c) => c.charCodeAt(0)));
  let wasmModule = null;
  const library = compiled.then((m) => {
    wasmModule = m;
    return KveldModule(moduleOptions(m));
  });
  let shown = null;  // {source, text, check, boards, tricks, analysis}
  let solving = null;

  function element(tag, attributes, children) {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(attributes || {})) {
      if (k === 'text') e.textContent = v;
      else if (k === 'class') e.className = v;
      else e.setAttribute(k, v);
    }
    for (const c of children || []) e.append(c);
    return e;
  }

  function suitSymbol(i) {
    const s = SUITS[i];
    return element('span', { class: 'suit ' + (s.red ? 'red' : 'black') }, [
      element('span', { 'aria-hidden': 'true', text: s.symbol }),
      element('span', { class: 'sr', text: s.name }),
    ]);
  }

  function hand(h, place) {
    const lines = h.holdings.map((holding, i) =>
      element('div', {}, [suitSymbol(i), ' ', holding === '' ? element('span', { 'aria-label': 'void', text: '\u2014' }) : holding]));
    return element('div', { class: 'hand ' + place, role: 'group', 'aria-label': h.seat,
      'aria-description': h.points + ' high-card points' }, [
      element('div', { class: 'seat', 'aria-hidden': 'true', text: h.seat + ' ' + h.points + ' HCP' }), ...lines]);
  }

  function trickTable(a) {
    const column = (c) => ('SHDC'.includes(c) ? [suitSymbol('SHDC'.indexOf(c))] : [c]);
    const head = element('tr', {}, [element('th', {}),
      ...a.columns.map((c) => element('th', { scope: 'col' }, column(c)))]);
    const rows = a.rows.map((r) => element('tr', {}, [element('th', { scope: 'row', text: r.seat }),
      ...r.tricks.map((t) => element('td', { text: String(t) }))]));
    return element('table', { class: 'tricks' }, [
      element('caption', { class: 'sr', text: 'Double-dummy tricks' }), head, ...rows]);
  }

  // A board as hand records draw it: its facts, North above, West and East
  // either side of the compass, South below; par and tricks when analysed.
  function diagram(b, a) {
    const [north, east, south, west] = b.hands;
    const parts = [
      element('div', { class: 'facts' }, [element('b', { text: 'Board ' + b.number }), element('br'),
        'Dealer ' + b.dealer, element('br'), 'Vul ' + b.vulnerability]),
      hand(north, 'north'), hand(west, 'west'),
      element('div', { class: 'compass', 'aria-hidden': 'true' }, [
        element('span', { class: 'n', text: 'N' }), element('span', { class: 'w', text: 'W' }),
        element('span', { class: 'e', text: 'E' }), element('span', { class: 's', text: 'S' })]),
      hand(east, 'east'), hand(south, 'south'),
    ];
    if (a) {
      parts.push(element('div', { class: 'par' }, [element('b', { text: 'Par ' + a.par }), element('br'), a.contracts]));
      parts.push(element('div', { class: 'analysis' }, [trickTable(a)]));
    }
    return element('div', { class: 'board', role: 'region', 'aria-label': 'Board ' + b.number }, parts);
  }

  function showOnly(id) {
    for (const part of ['entry', 'question', 'set']) $(part).hidden = part !== id;
  }

  function setAddress(text) {
    const hash = text === null ? '' : '#' + encodeURIComponent(text);
    if (location.hash !== hash) history.replaceState(null, '', hash === '' ? location.pathname + location.search : hash);
  }

  // A link for each format that holds the set, named by its format.
  function drawFiles(lib) {
    for (const a of $('files').querySelectorAll('a')) URL.revokeObjectURL(a.href);
    $('files').replaceChildren(...lib.files(shown.source, shown.tricks).map((file) => element('a', {
      class: 'button', download: file.name, text: file.label,
      href: URL.createObjectURL(new Blob([file.bytes], { type: 'application/octet-stream' })),
    })));
  }

  function refuse(text, refusal) {
    showOnly('entry');
    showNear([]);
    $('control').value = text;
    $('refusal').textContent = refusal;
    $('control').setAttribute('aria-invalid', 'true');
    $('control').focus();
    setAddress(null);
  }

  // The valid strings one slip away from a refused one, each with its set
  // and Board 1's North hand to compare with the hand record; choosing one
  // goes to its Board 1.
  function showNear(list) {
    $('near').hidden = list.length === 0;
    $('near-list').replaceChildren(...list.map((n) => element('li', {}, [
      element('button', { type: 'button', class: 'near-string', text: n.text, 'aria-describedby': 'near-' + n.text }),
      element('div', { id: 'near-' + n.text, class: 'near-set' }, [
        element('span', { text: n.title }), hand(n.north, 'near-north')]),
    ])));
    for (const b of $('near-list').querySelectorAll('button')) b.addEventListener('click', () => open(b.textContent));
  }

  // The field: checks the text; a refusal is said in the alert, a valid
  // string goes on to Board 1 and its question.
  async function open(text) {
    const lib = await library;
    stopSolving();
    const source = { text };
    const check = lib.check(source);
    if (!check.valid) {
      refuse(text, check.refusal);
      showNear(lib.near(text));
      return;
    }
    $('refusal').textContent = '';
    showNear([]);
    $('control').removeAttribute('aria-invalid');
    shown = { source, text, check, boards: lib.boards(source), tricks: '', analysis: null };
    $('question-title').textContent = check.heading;
    $('board-one').replaceChildren(diagram(shown.boards[0], null));
    showOnly('question');
    setAddress(text);
    document.title = 'Kveld Archive: ' + check.title;
    $('yes').focus();
  }

  function answerNo() {
    showOnly('entry');
    $('control').value = shown ? shown.text : $('control').value;
    setAddress(null);
    document.title = 'Kveld Archive';
    $('control').focus();
  }

  // A deal file, read in the page alone: its first set shown, or the
  // refusal in kveld-batch's words.
  async function openFile(file, index) {
    const lib = await library;
    stopSolving();
    const source = { name: file.name, bytes: new Uint8Array(await file.arrayBuffer()), index };
    const check = lib.check(source);
    if (!check.valid) {
      refuse($('control').value, check.refusal);
      return;
    }
    $('refusal').textContent = '';
    shown = { source, file, text: null, check, boards: lib.boards(source), tricks: '', analysis: null };
    setAddress(null);
    document.title = 'Kveld Archive: ' + check.title;
    showSet();
  }

  function drawSetChoice() {
    const count = shown.check.setCount;
    $('set-choice').hidden = count < 2;
    if (count < 2) return;
    $('set-pick').replaceChildren(...Array.from({ length: count }, (_, i) =>
      element('option', { value: String(i), text: 'Set ' + (i + 1) + ' of ' + count })));
    $('set-pick').value = String(shown.source.index);
  }

  async function showSet() {
    const lib = await library;
    const { check } = shown;
    $('set-title').textContent = check.heading;
    $('set-control').textContent = check.origin;
    drawFiles(lib);
    drawSetChoice();
    $('analyse').disabled = false;
    $('status').textContent = '';
    drawBoards();
    showOnly('set');
    $('set-title').focus();
  }

  function drawBoards() {
    $('boards').replaceChildren(...shown.boards.map((b, i) => diagram(b, shown.analysis ? shown.analysis[i] : null)));
  }

  // The module's options: instances of the compiled WebAssembly, if any.
  function moduleOptions(compiledModule) {
    if (!compiledModule) return {};
    return {
      instantiateWasm(imports, receive) {
        WebAssembly.instantiate(compiledModule, imports).then((instance) => receive(instance, compiledModule));
        return {};
      },
    };
  }

  // Analyse: every board solved by Workers made from the module's own
  // script, one board at a time each, the bar following the boards done.
  // A Worker's first message brings the compiled module; each answer
  // carries the Worker's WebAssembly memory as it stands, for the page's
  // account of it (solverMemory).
  function workerMain() {
    let ready = null;
    self.onmessage = (e) => {
      if (!ready) {
        ready = KveldModule(moduleOptions(e.data.module));
        return;
      }
      solve(e);
    };
    const solve = (e) => ready.then((m) => {
      if (e.data.memoryMB !== undefined) m.setSolverMemory(e.data.memoryMB);
      self.postMessage({ board: e.data.board, tricks: m.solve(e.data.cards), memory: m.HEAP8.length });
    });
  }

  // How many Workers solve and how much memory DDS may keep in each, from
  // what the device reports: all of them together hold at most 256 MB of
  // WebAssembly memory (an eighth of the device's memory where that is
  // less), one Worker a core up to four, and no more Workers than fit
  // with a worst case of 48 MB each (DDS's small tables, 30 MB at most,
  // and the module's own 18 MB). A lone Worker may keep DDS's large tables.
  const SOLVER_BUDGET_MB = 256;
  const MODULE_MB = 18;
  const WORKER_MB = 48;
  function solverPlan(boards) {
    const device = navigator.deviceMemory ? navigator.deviceMemory * 1024 / 8 : SOLVER_BUDGET_MB;
    const budget = Math.min(SOLVER_BUDGET_MB, device);
    const workers = Math.max(1, Math.min(navigator.hardwareConcurrency || 1, 4, boards,
      Math.floor(budget / WORKER_MB)));
    return { workers, memoryMB: Math.floor(budget / workers) - MODULE_MB };
  }

  // The largest total of the Workers' memory seen while they solve: each
  // Worker's memory only grows, and it reports it with every board.
  function solverMemory() {
    const latest = new Map();
    let largest = 0;
    return {
      seen(worker, bytes) {
        latest.set(worker, bytes);
        let total = 0;
        for (const b of latest.values()) total += b;
        largest = Math.max(largest, total);
      },
      largest: () => largest,
    };
  }

  // Stop: the Workers end at once and their memory goes with them; the set
  // stays as it was, and Analyse can start again.
  function stopAnalysis() {
    if (!solving) return;
    const done = solving.done();
    stopSolving();
    $('analyse').disabled = false;
    $('status').textContent = 'Stopped after ' + done + ' of ' + shown.boards.length + ' boards; nothing was kept.';
    $('analyse').focus();
  }

  function stopSolving() {
    if (!solving) return;
    for (const w of solving.workers) w.terminate();
    URL.revokeObjectURL(solving.url);
    solving = null;
    $('progress').hidden = true;
    $('stop').hidden = true;
  }

  function analyse() {
    if (solving || !shown) return;
    const boards = shown.boards;
    const all = boards.length;
    const code = moduleText + '\n;' + moduleOptions.toString() + '\n;(' + workerMain.toString() + ')();\n';
    const url = URL.createObjectURL(new Blob([code], { type: 'text/javascript' }));
    const plan = solverPlan(all);
    const memory = solverMemory();
    const results = new Array(all).fill(null);
    let next = 1;
    let done = 0;
    const bar = $('progress');
    bar.setAttribute('aria-valuemax', String(all));
    const progress = () => {
      bar.setAttribute('aria-valuenow', String(done));
      bar.setAttribute('aria-valuetext', done + ' of ' + all + ' boards solved');
      $('progress-fill').style.width = (100 * done / all) + '%';
      $('progress-text').textContent = done + ' of ' + all + ' boards';
    };
    progress();
    bar.hidden = false;
    $('analyse').disabled = true;
    $('stop').hidden = false;
    $('status').textContent = 'Solving ' + all + ' boards double dummy\u2026';
    solving = { workers: [], url, done: () => done };
    const started = performance.now();
    const give = (w, first) => {
      if (next <= all) {
        w.postMessage({ cards: boards[next - 1].cards, board: next, memoryMB: first ? plan.memoryMB : undefined });
        next++;
      }
    };
    for (let i = 0; i < plan.workers; i++) {
      const w = new Worker(url);
      const failed = (why) => {
        $('status').textContent = 'The double-dummy analysis failed: ' + why + '.';
        $('analyse').disabled = false;
        stopSolving();
      };
      // A Worker that cannot run (out of memory, say) ends the analysis too.
      w.onerror = (e) => {
        if (solving) failed(e.message || 'a solver stopped');
      };
      w.onmessage = (e) => {
        if (!solving) return;
        if (e.data.tricks.startsWith('!')) {
          failed(e.data.tricks.slice(1));
          return;
        }
        results[e.data.board - 1] = e.data.tricks;
        memory.seen(w, e.data.memory);
        done++;
        progress();
        if (done === all) finish(results.join(''), performance.now() - started, memory.largest());
        else give(w, false);
      };
      solving.workers.push(w);
      w.postMessage({ module: wasmModule });
      give(w, true);
    }
  }

  async function finish(tricks, ms, memoryBytes) {
    stopSolving();
    const lib = await library;
    shown.tricks = tricks;
    shown.analysis = lib.analysis(shown.source, tricks);
    drawFiles(lib);
    drawBoards();
    $('status').textContent = 'Analysed: ' + shown.boards.length + ' boards in ' + (ms / 1000).toFixed(1) + ' s.';
    document.body.dataset.analysisMs = String(Math.round(ms));
    document.body.dataset.analysisMemory = String(memoryBytes);
  }

  // The hand record is kveld-batch's printable page, printed from a frame
  // of its own.
  async function printHandRecord() {
    const lib = await library;
    let frame = $('hand-record');
    if (frame) frame.remove();
    frame = element('iframe', { id: 'hand-record', title: 'Hand record', class: 'print-frame' });
    frame.srcdoc = lib.handRecord(shown.source, shown.tricks);
    frame.onload = () => frame.contentWindow.print();
    document.body.append(frame);
  }

  $('entry').addEventListener('submit', (e) => {
    e.preventDefault();
    open($('control').value);
  });
  $('yes').addEventListener('click', showSet);
  $('no').addEventListener('click', answerNo);
  $('analyse').addEventListener('click', analyse);
  $('stop').addEventListener('click', stopAnalysis);
  $('print').addEventListener('click', printHandRecord);
  $('open-file').addEventListener('click', () => $('file').click());
  $('file').addEventListener('change', () => {
    if ($('file').files.length > 0) openFile($('file').files[0], 0);
    $('file').value = '';
  });
  $('set-pick').addEventListener('change', () => openFile(shown.file, Number($('set-pick').value)));
  // A file dropped anywhere on the page is opened.
  document.addEventListener('dragover', (e) => e.preventDefault());
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    if (e.dataTransfer.files.length > 0) openFile(e.dataTransfer.files[0], 0);
  });
  $('another').addEventListener('click', () => {
    stopSolving();
    shown = null;
    $('control').value = '';
    answerNo();
  });
  document.addEventListener('keydown', (e) => {
    if ($('question').hidden || e.ctrlKey || e.altKey || e.metaKey) return;
    const key = e.key.toLowerCase();
    if (key === 'y') { e.preventDefault(); showSet(); }
    else if (key === 'n') { e.preventDefault(); answerNo(); }
  });
  // A link to the page with a control string after "#" opens at its Board 1.
  const fromAddress = () => {
    let text = location.hash.slice(1);
    try {
      text = decodeURIComponent(text);
    } catch (e) {
      // Not an encoded address: the text as it stands is checked.
    }
    if (text !== '' && (!shown || shown.text !== text)) open(text);
  };
  window.addEventListener('hashchange', fromAddress);
  fromAddress();
  library.then(() => { document.body.dataset.ready = 'true'; });
})();
