// The deck as work: New, Open (file picker or a file dropped on the page),
// the examples and Save, each asking before it replaces unsaved changes;
// the deck kept across reloads; its encoding and line end said under the
// editor.
import { acceptDecks, download } from './files.js';
import { keepWork, loadWork } from './storage.js';

const KEEP_DELAY_MS = 400;
const $ = (id) => document.getElementById(id);
const ascii = new TextEncoder();

// The file's own name, without the folders a browser may give.
const plainName = (name) => String(name || '').split(/[\\/]/).pop() || 'untitled.deck';

export function notice(text) {
  $('deck-notice').textContent = text;
}

export function setUpWorkspace({ view, deck, examples, onOpened }) {
  let keepTimer = null;
  let keptNotice = '';

  async function keep() {
    clearTimeout(keepTimer);
    keepTimer = null;
    const why = await keepWork({ name: deck.name, bytes: deck.bytesOf(view), unsaved: deck.unsaved });
    const text = why ? `This deck is not kept across reloads (${why}); save it to keep it.` : '';
    if (text !== keptNotice) notice((keptNotice = text));
  }

  function showDeck() {
    $('deck-name').textContent = deck.name;
    $('deck-name').classList.toggle('unsaved', deck.unsaved);
    $('deck-format').textContent = deck.describe();
  }

  function show(name, bytes) {
    deck.open(view, plainName(name), bytes);
    showDeck();
    onOpened();
    view.focus();
  }

  function replace(name, bytes) {
    if (deck.unsaved && !window.confirm(`Replace ${deck.name}? Its changes are not saved.`)) return false;
    show(name, bytes);
    keep();
    return true;
  }

  acceptDecks($('open-file'), document.body, replace);
  $('open').addEventListener('click', () => $('open-file').click());
  $('new-deck').addEventListener('click', () => replace('untitled.deck', new Uint8Array(0)));
  const menu = $('examples');
  document.addEventListener('click', (event) => {
    if (menu.open && !menu.contains(event.target)) menu.open = false;
  });
  menu.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') menu.open = false;
  });
  menu.querySelectorAll('[data-example]').forEach((button) => {
    button.addEventListener('click', () => {
      menu.open = false;
      replace(button.dataset.example, ascii.encode(examples[button.dataset.example]));
    });
  });
  $('save').addEventListener('click', () => {
    deck.saved = deck.bytesOf(view);
    download(deck.name, deck.saved, 'text/plain');
    deck.unsaved = false;
    showDeck();
    keep();
  });

  return {
    // The deck kept by the last visit, or the first example; resolves once shown.
    async restore(first) {
      const work = await loadWork();
      if (work) {
        show(work.name, work.bytes);
        deck.unsaved = Boolean(work.unsaved);
        if (deck.unsaved) deck.saved = null; // the work kept is not the file saved
      } else show(first, ascii.encode(examples[first]));
      showDeck();
    },
    // Called for every change of the editor's text.
    changed(update) {
      deck.changed(update);
      if (deck.unsaved !== $('deck-name').classList.contains('unsaved')) showDeck();
      if (keepTimer === null) keepTimer = setTimeout(keep, KEEP_DELAY_MS);
    },
  };
}
