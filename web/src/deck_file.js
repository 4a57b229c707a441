// The deck being edited, as the file it came from: its name, its encoding and
// line end, and, until it is edited, its very bytes. The engine is given the
// deck's bytes and "Save deck" writes them, so a deck opened and not edited
// is run and saved byte for byte, and an edited one keeps its encoding and
// line end.
import { Compartment, EditorState, Text } from '@codemirror/state';
import { setColumnEncoding } from './columns.js';
import { deckLines, decodeDeck, describeFile, encodeText, unencodable } from './encoding.js';

const OPEN_EVENT = 'deck.open';
const lineSeparator = new Compartment();

export class DeckFile {
  constructor(onRefused) {
    this.name = 'untitled.deck';
    this.format = { encoding: 'utf-8', lineEnd: '\n', mixed: false };
    this.bytes = new Uint8Array(0); // null once edited
    this.saved = this.bytes; // as opened or last saved; null when not known
    this.unsaved = false;
    this.onRefused = onRefused;
  }

  // The editor's extensions: the line separator of the deck, and the refusal
  // of a typed character that the deck's encoding cannot hold.
  extensions() {
    return [
      lineSeparator.of(EditorState.lineSeparator.of('\n')),
      EditorState.transactionFilter.of((transaction) => {
        if (!transaction.docChanged || transaction.isUserEvent(OPEN_EVENT)) return transaction;
        let refused = null;
        transaction.changes.iterChanges((fromA, toA, fromB, toB, inserted) => {
          refused ??= unencodable(inserted.toString(), this.format.encoding);
        });
        if (refused === null) return transaction;
        const encoding = this.format.encoding === 'latin1' ? 'Latin-1' : 'UTF-8';
        this.onRefused(`“${refused}” cannot be written in a ${encoding} deck: it was not typed.`);
        return [];
      }),
    ];
  }

  // Shows `bytes` as the deck `name`, not edited and not unsaved.
  open(view, name, bytes) {
    const decoded = decodeDeck(bytes);
    this.name = name;
    this.format = { encoding: decoded.encoding, lineEnd: decoded.lineEnd, mixed: decoded.mixed };
    this.bytes = bytes;
    this.saved = bytes;
    this.unsaved = false;
    setColumnEncoding(decoded.encoding);
    const separator = decoded.lineEnd === '\n' ? '\n' : undefined;
    view.dispatch({ effects: lineSeparator.reconfigure(separator ? EditorState.lineSeparator.of(separator) : []) });
    view.dispatch({
      changes: { from: 0, to: view.state.doc.length, insert: Text.of(deckLines(decoded)) },
      selection: { anchor: 0 },
      userEvent: OPEN_EVENT,
    });
  }

  // Called for every change of the editor's text.
  changed(update) {
    if (update.transactions.every((transaction) => transaction.isUserEvent(OPEN_EVENT))) return;
    this.bytes = null;
    this.unsaved = true;
  }

  // The deck's bytes as the file would be written now; made once for each
  // text (the check and the work kept ask for the same), the lines an edit
  // left alone taken as they were encoded before.
  bytesOf(view) {
    if (this.bytes) return this.bytes;
    const { doc } = view.state;
    const encoded = this.encodedLeaves();
    if (encoded.doc !== doc) Object.assign(encoded, { doc, bytes: encodeText(doc, this.format, encoded.leaves) });
    return encoded.bytes;
  }

  // The same bytes in an array of their own, made afresh from the lines kept
  // encoded: a check moves them to its engine, where copying them would hold
  // up the key that changed them.
  bytesToMove(view) {
    if (this.bytes) return this.bytes.slice();
    return encodeText(view.state.doc, this.format, this.encodedLeaves().leaves);
  }

  encodedLeaves() {
    if (this.encoded?.format !== this.format) this.encoded = { format: this.format, leaves: new WeakMap() };
    return this.encoded;
  }

  describe() {
    return describeFile(this.format);
  }
}
