// The command barlist-lsp: the language server on standard input and
// output, or its version or usage.
import createBarlistEngine from 'barlist-engine';
import { serve } from './server.js';
import { loadEngine } from '../src/engine.js';

const USAGE = `Usage: barlist-lsp [--stdio]
The barlist language server: checks decks of card images as they are edited
and answers an editor over the Language Server Protocol on standard input
and output.

Options:
  --stdio      Talk on standard input and output (the default)
  --version    Print the version and exit
  --help       Print this help and exit
`;

const args = process.argv.slice(2);
if (args.includes('--help') || args.includes('-h')) {
  process.stdout.write(USAGE);
} else if (args.includes('--version') || args.includes('-V')) {
  loadEngine(createBarlistEngine).then((engine) => process.stdout.write(`barlist-lsp ${engine.version}\n`));
} else if (args.every((arg) => arg === '--stdio')) {
  serve(createBarlistEngine);
} else {
  process.stderr.write(`barlist-lsp: unknown option ${args.find((arg) => arg !== '--stdio')}\n${USAGE}`);
  process.exitCode = 2;
}
