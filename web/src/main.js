// The workbench page: the deck editor, checked by the engine as it is typed,
// and the results of the last check. window.barlist is the face for scripts
// and tests, and the page itself goes through it.
import engineSource from 'engine-source';
import workerSource from 'worker-source';
import abutment from '../../examples/abutment.deck';
import deckSlab from '../../examples/deck-slab.deck';
import pierCap from '../../examples/pier-cap.deck';
import { columnText } from './columns.js';
import { cursorColumn, describeField } from './ruler.js';
import { checkAsTyped } from './checks.js';
import { showDiagnostics } from './diagnostics_panel.js';
import { createEditor } from './editor.js';
import { cardFields, fieldOf } from './card_table.js';
import { deckFileName } from './engine.js';
import { EngineWorker } from './engine_worker.js';
import { DeckFile } from './deck_file.js';
import { download } from './files.js';
import { setHints } from './hints.js';
import { applyFixes } from './quick_fixes.js';
import { comparedCards, setUpCompare } from './compare_panel.js';
import { overwriteMode } from './overwrite.js';
import { printBarTable } from './print_bar_table.js';
import { runResult } from './record_views.js';
import { renderBarTable, renderQuantities } from './reports.js';
import { bindJustifySetting, justifyWhenLeaving } from './justify.js';
import { typeHelp } from './type_help.js';
import { renderWeights } from './weights.js';
import { notice, setUpWorkspace } from './workspace.js';
import './style.css';

const EXAMPLES = { 'pier-cap.deck': pierCap, 'deck-slab.deck': deckSlab, 'abutment.deck': abutment };
const $ = (id) => document.getElementById(id);

// The engine runs in workers: one checks the deck and tells the value at the
// cursor, the other makes the reports that follow a check. The fields of each
// card kind are the page's own table, made by the engine when the page was
// built.
const worker = new EngineWorker(`${engineSource}\n${workerSource}`);
const reporter = new EngineWorker(`${engineSource}\n${workerSource}`);
const cardTable = { cardFields, fieldAt: fieldOf };
let version;
const ready = worker.version();

window.barlist = {
  get version() {
    return version;
  },
  ready: ready.then((known) => {
    version = known;
    return window.barlist;
  }),
  // {quantities, barTable, json, csv, diagnostics, summary, hints, problems,
  // status}, and the exact bytes of the four files in `files`.
  async run(deckText, options = {}) {
    return runResult(await reporter.check(deckText, { ...options, name: deckFileName(options.name), products: true }));
  },
};

// The clock of the page's checks: the machine's, or fixed by "#epoch=SECONDS".
const epochMatch = /(?:^#|&)epoch=(\d+)/.exec(window.location.hash);
const epoch = epochMatch ? Number(epochMatch[1]) : undefined;

const deck = new DeckFile(notice);
let last = null; // the result of the last check shown, and the text it is of (last.doc)
let reported = null; // the reports shown
let shownHints = null; // the hints shown (a check that changes none gives the same again)
let marks = 0;

function showStatus(text) {
  $('check-status').textContent = text;
}

// The body's marks for tests and the benchmark: data-diagnosed once the
// diagnostics and hints of a text are shown, data-checked once its reports
// are; the first of each also as a performance mark, the page's time to ready.
function mark(which) {
  if (!document.body.dataset[which]) performance.mark(`barlist-${which}`);
  document.body.dataset[which] = String(++marks);
}

function showChecked(result, doc, elapsed) {
  last = result;
  last.doc = doc;
  showDiagnostics(view, result, $('diagnostics'), $('diagnostics-summary'));
  if (shownHints !== result.packedHints) {
    shownHints = result.packedHints;
    view.dispatch({ effects: setHints.of(result.packedHints) });
  }
  showStatus(`Checked in ${Math.round(elapsed)} ms; exit status ${result.status}`);
  mark('diagnosed');
  if (fixRounds > 0) fixAllSafe();
}

// Each part in a task of its own, so that no frame waits for all of them; a
// newer report or an edit drops the parts left.
function showReported(result, doc) {
  reported = result;
  const parts = [
    () => renderQuantities($('quantities'), result.files.quantities),
    () => renderBarTable($('bar-table'), result.files.barTable),
    () => renderWeights($('weights'), result.problems),
    () => {
      document.querySelectorAll('[data-download]').forEach((button) => {
        button.disabled = !result.files[button.dataset.download];
      });
      mark('checked');
      warmUp();
    },
  ];
  const next = () => {
    if (reported !== result || view.state.doc !== doc) return;
    parts.shift()();
    if (parts.length) setTimeout(next);
  };
  next();
}

// "Fix all safe": the safe fixes of the text as it stands, then those the
// next check finds, until none is left (as barlist --fix makes them).
let fixRounds = 0;
function fixAllSafe() {
  const safe = fixesOf(null).filter((fix) => fix.safe);
  fixRounds = safe.length && applyFixes(view, safe) ? fixRounds - 1 : 0;
}

// Each change checked as soon as the engine is free, its reports made when
// the typing pauses.
const check = checkAsTyped({
  checker: worker,
  reporter,
  bytesOf: (view) => deck.bytesToMove(view),
  options: () => ({ epoch, name: deckFileName(deck.name) }),
  onChecked: showChecked,
  onReported: showReported,
  onFailed: (error) =>
    showStatus(`The engine stopped: ${error.message}. The page is usable; the next change is checked again.`),
});

// The kind and field at once, from the page's table; the value read there
// when the worker answers, unless the cursor has moved on. It is asked in a
// task after the change's own, so that the check goes to the engine first.
let cursorAsked = 0;
function showCursor(state) {
  const { line, column } = cursorColumn(state);
  const text = columnText(line.text);
  const show = (at) => {
    $('cursor-field').textContent = `${line.number}:${column} · ${describeField(at)}${typeHelp(at)}`;
  };
  show(fieldOf(text, column));
  $('typing-mode').textContent = state.field(overwriteMode) ? 'OVR' : 'INS';
  const asked = ++cursorAsked;
  setTimeout(() => {
    if (asked !== cursorAsked) return;
    worker.fieldAt(text, column).then(
      (at) => asked === cursorAsked && show(at),
      () => {},
    );
  });
}

// The engine's fixes on a line of the text as it stands; none while its
// check is still on the way.
function fixesOf(lineNumber) {
  if (!last || last.doc !== view.state.doc) return [];
  return last.diagnostics.flatMap((d) => d.fixes || []).filter((fix) => lineNumber === null || fix.line === lineNumber);
}

let workspace = null;
bindJustifySetting($('justify-on-tab'));
const view = createEditor($('editor'), {
  leaveField: justifyWhenLeaving(fixesOf),
  text: '',
  getEngine: () => cardTable,
  extensions: [deck.extensions(), comparedCards],
  onChange: (update) => {
    workspace.changed(update);
    check(view);
    comparison.changed();
  },
  onCursor: showCursor,
});
workspace = setUpWorkspace({
  view,
  deck,
  examples: EXAMPLES,
  onOpened: () => {
    shownHints = null; // the same results again still put the hints on the new text
  },
});
const comparison = setUpCompare({ view, deck, worker });
const restored = workspace.restore('pier-cap.deck');
document.querySelectorAll('[data-download]').forEach((button) => {
  button.addEventListener('click', () => {
    const key = button.dataset.download;
    if (!reported || !reported.files[key]) return;
    const stem = deck.name.replace(/\.[^.]*$/, '') || deck.name;
    download(stem + button.dataset.extension, reported.files[key]);
  });
});
$('fix-all-safe').addEventListener('click', () => {
  fixRounds = 8; // a deck whose fixes keep uncovering others stops here
  fixAllSafe();
  view.focus();
});
$('print-bar-table').addEventListener('click', () => printBarTable(deck.name, reported && reported.problems));

showCursor(view.state);
Promise.all([window.barlist.ready, restored]).then(() => {
  $('version').textContent = version;
  check(view);
});

// WebAssembly runs at full speed once the browser has seen it busy: a few
// runs of the examples once the page is ready spare the first checks of a
// large deck.
let warmed = false;
function warmUp() {
  if (warmed) return;
  warmed = true;
  const examples = Object.values(EXAMPLES).join('').repeat(8);
  for (let run = 0; run < 3; run++) {
    worker.check(examples, { epoch: 0, name: 'warm-up.deck' }).catch(() => {});
    reporter.check(examples, { epoch: 0, name: 'warm-up.deck', products: true }).catch(() => {});
  }
}
window.barlistView = view; // for the browser tests
