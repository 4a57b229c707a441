// The open decks and their checks: a deck is checked a moment after its last
// change (changes typed in a burst make one check), at once when an answer
// needs its findings, and its diagnostics published with the version they
// belong to.
import { TextDocument } from 'vscode-languageserver-textdocument';
import { DeckLines, bytesOf } from './positions.js';
import { diagnosticsOf } from './diagnostics.js';

export const SETTLE_MS = 4;

function nameOf(uri) {
  const path = decodeURIComponent(String(uri).replace(/[?#].*$/, ''));
  return path.split('/').pop() || 'deck.deck';
}

export class Decks {
  constructor(host, publish, log, maxBytes) {
    this.host = host;
    this.publish = publish;
    this.log = log;
    this.maxBytes = maxBytes;
    this.open = new Map();
  }

  opened({ uri, languageId, version, text }) {
    const document = TextDocument.create(uri, languageId, version, text);
    this.open.set(uri, { document, edits: 0, timer: null, checked: null });
    this.settle(uri);
  }

  changed({ uri, version }, changes) {
    const deck = this.open.get(uri);
    if (!deck) return this.log(`barlist-lsp: a change to ${uri}, which is not open, was ignored`);
    // The library updates the document in place: the count of edits tells one text from the next.
    deck.document = TextDocument.update(deck.document, changes, version);
    deck.edits += 1;
    this.settle(uri);
  }

  closed(uri) {
    const deck = this.open.get(uri);
    if (!deck) return;
    clearTimeout(deck.timer);
    this.open.delete(uri);
    this.publish({ uri, diagnostics: [] });
  }

  settle(uri) {
    const deck = this.open.get(uri);
    clearTimeout(deck.timer);
    deck.timer = setTimeout(() => this.current(uri), SETTLE_MS);
  }

  // The text's check, made at most once for each edit: {document (as it was
  // checked, not updated since), lines, result (null when not checked), diagnostics}.
  async current(uri) {
    const deck = this.open.get(uri);
    if (!deck) return null;
    clearTimeout(deck.timer);
    if (deck.checked && deck.checked.edits === deck.edits) return deck.checked.answer;
    const { uri: documentUri, languageId, version } = deck.document;
    const text = deck.document.getText();
    const document = TextDocument.create(documentUri, languageId, version, text);
    const answer = (async () => {
      const lines = new DeckLines(text);
      const bytes = bytesOf(text);
      let result = null;
      if (bytes.length > this.maxBytes) {
        this.log(`barlist-lsp: ${uri} has ${bytes.length} bytes, more than ${this.maxBytes}: not checked`);
      } else {
        result = await this.host.use((engine) => engine.check(bytes, { name: nameOf(uri), check_only: true }));
      }
      const diagnostics = result ? diagnosticsOf(document, lines, result) : [];
      if (this.open.get(uri) === deck) this.publish({ uri, version: document.version, diagnostics });
      return { document, lines, result, diagnostics };
    })();
    deck.checked = { edits: deck.edits, answer };
    return answer;
  }

  // A check of a text that is not the document's (the rounds of a fix).
  check(uri, text) {
    const bytes = bytesOf(text);
    if (bytes.length > this.maxBytes) return null;
    return this.host.use((engine) => engine.check(bytes, { name: nameOf(uri), check_only: true }));
  }
}
