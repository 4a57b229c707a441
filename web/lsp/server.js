// barlist-lsp: barlist's engine behind the Language Server Protocol, on
// standard input and output. Every answer comes from the engine; this file
// wires the protocol's requests to it and keeps the session's order
// (nothing before initialize, nothing but exit after shutdown).
import {
  CodeActionKind,
  ErrorCodes,
  ResponseError,
  StreamMessageReader,
  StreamMessageWriter,
  TextDocumentSyncKind,
  createConnection,
} from 'vscode-languageserver/node.js';
import { EngineHost } from './engine_host.js';
import { Decks } from './decks.js';
import { Framing, MAX_MESSAGE_BYTES } from './framing.js';
import { hoverAt, inlayHintsIn } from './answers.js';
import { editsBetween, fixedText, quickFixes } from './fixes.js';
import { cardKindItems } from './completion.js';

// Decks larger than this are not checked (the engine would need more memory
// than it may keep); 20 MB of cards is about 250,000 of them.
export const MAX_DECK_BYTES = 32 * 1024 * 1024;

// `load` makes the engine's face from Emscripten's module factory.
export function serve(createEngine, { load, input = process.stdin, output = process.stdout } = {}) {
  const framing = new Framing((message) => connection.console.error(`barlist-lsp: ${message}`));
  const reader = new StreamMessageReader(input.pipe(framing));
  const connection = createConnection(reader, new StreamMessageWriter(output));
  reader.onError((error) => connection.console.error(`barlist-lsp: a message was not read: ${error.message}`));
  const log = (message) => connection.console.log(message);
  const host = new EngineHost(createEngine, log, load);
  const decks = new Decks(host, (p) => connection.sendDiagnostics(p), log, MAX_DECK_BYTES);
  let state = 'new'; // then 'running', then 'shut down'

  const request = (handler) => (params, token) => {
    if (state === 'new') return new ResponseError(ErrorCodes.ServerNotInitialized, 'initialize first');
    if (state !== 'running') return new ResponseError(ErrorCodes.InvalidRequest, 'the server is shut down');
    return Promise.resolve(handler(params, token)).catch((error) => {
      log(`barlist-lsp: ${error.stack || error}`);
      return new ResponseError(ErrorCodes.InternalError, String(error.message || error));
    });
  };
  const notification = (handler) => (params) => {
    if (state === 'running') handler(params);
  };

  connection.onInitialize(async () => {
    if (state !== 'new') return new ResponseError(ErrorCodes.InvalidRequest, 'initialize was sent before');
    state = 'running';
    return {
      serverInfo: { name: 'barlist-lsp', version: await host.version },
      capabilities: {
        textDocumentSync: { openClose: true, change: TextDocumentSyncKind.Incremental },
        hoverProvider: true,
        inlayHintProvider: true,
        codeActionProvider: { codeActionKinds: [CodeActionKind.QuickFix, CodeActionKind.SourceFixAll] },
        documentFormattingProvider: true,
        completionProvider: { triggerCharacters: [] },
      },
    };
  });
  connection.onShutdown(request(() => {
    state = 'shut down';
  }));
  connection.onRequest((method) => {
    if (state === 'new') return new ResponseError(ErrorCodes.ServerNotInitialized, 'initialize first');
    return new ResponseError(ErrorCodes.MethodNotFound, `barlist-lsp does not answer ${method}`);
  });

  connection.onDidOpenTextDocument(notification(({ textDocument }) => decks.opened(textDocument)));
  connection.onDidChangeTextDocument(
    notification(({ textDocument, contentChanges }) => decks.changed(textDocument, contentChanges)),
  );
  connection.onDidCloseTextDocument(notification(({ textDocument }) => decks.closed(textDocument.uri)));

  connection.onHover(
    request(async ({ textDocument, position }) => {
      const deck = await decks.current(textDocument.uri);
      if (!deck) return null;
      return host.use((engine) =>
        hoverAt(deck.document, deck.lines, deck.result, position, (bytes, column) => engine.fieldAt(bytes, column)),
      );
    }),
  );

  connection.languages.inlayHint.on(
    request(async ({ textDocument, range }) => {
      const deck = await decks.current(textDocument.uri);
      return deck ? inlayHintsIn(deck.document, deck.lines, deck.result, range) : [];
    }),
  );

  // The whole deck's fixes that `wanted` takes, as edits of the document.
  async function fixedEdits(uri, deck, wanted) {
    const before = deck.document.getText();
    const after = await fixedText(before, (text) => (text === before ? deck.result : decks.check(uri, text)), wanted);
    return editsBetween(deck.document, before, after);
  }

  connection.onCodeAction(
    request(async ({ textDocument, range, context }) => {
      const deck = await decks.current(textDocument.uri);
      if (!deck || !deck.result) return [];
      const only = context.only;
      const asked = (kind) => !only || only.some((o) => kind === o || kind.startsWith(`${o}.`));
      const actions = asked(CodeActionKind.QuickFix)
        ? quickFixes(deck.document, deck.lines, deck.result, deck.diagnostics, range)
        : [];
      const safe = deck.result.diagnostics.some((d) => d.fixes.some((f) => f.safe));
      if (safe && asked(CodeActionKind.SourceFixAll)) {
        const edits = await fixedEdits(textDocument.uri, deck, (f) => f.safe);
        if (edits.length) {
          actions.push({
            title: 'Fix all safe',
            kind: CodeActionKind.SourceFixAll,
            edit: { changes: { [textDocument.uri]: edits } },
          });
        }
      }
      return actions;
    }),
  );

  connection.onDocumentFormatting(
    request(async ({ textDocument }) => {
      const deck = await decks.current(textDocument.uri);
      if (!deck || !deck.result) return [];
      return fixedEdits(textDocument.uri, deck, (f) => f.keeps_values);
    }),
  );

  let kinds = null; // the card kinds, asked of the engine once
  connection.onCompletion(
    request(async ({ textDocument, position }) => {
      const deck = await decks.current(textDocument.uri);
      if (!deck || position.character > 1) return [];
      const range = { start: { line: position.line, character: 0 }, end: position };
      kinds ??= await host.use((engine) =>
        cardKindItems(
          (bytes, column) => engine.fieldAt(bytes, column),
          (letter) => engine.cardFields(letter),
        ),
      );
      return (kinds || []).map((item) => ({ ...item, textEdit: { range, newText: item.insertText } }));
    }),
  );

  connection.listen();
  log(`barlist-lsp: messages of up to ${MAX_MESSAGE_BYTES} bytes, decks of up to ${MAX_DECK_BYTES}`);
  return connection;
}
