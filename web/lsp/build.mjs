// Bundles the language server, its npm packages and the engine (Emscripten's
// single-file module) into one script that node runs.
//   node lsp/build.mjs ENGINE_JS OUTPUT_JS
import { build } from 'esbuild';
import { chmodSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [engineFile, outputFile] = process.argv.slice(2);
if (!engineFile || !outputFile) {
  console.error('usage: node lsp/build.mjs ENGINE_JS OUTPUT_JS');
  process.exit(2);
}

await build({
  entryPoints: [join(here, 'main.js')],
  outfile: outputFile,
  bundle: true,
  minify: true,
  platform: 'node',
  target: 'node18',
  format: 'cjs',
  banner: { js: '#!/usr/bin/env node' },
  alias: { 'barlist-engine': resolve(engineFile) },
  legalComments: 'none',
  logLevel: 'warning',
});
chmodSync(outputFile, 0o755);
console.log(`${outputFile}: built`);
