// Builds the one self-contained page: the engine (Emscripten's single-file
// module), the worker and the page's scripts bundled by esbuild, and the
// styles, all inlined in index.html. The fields of each card kind, which the
// ruler shows as the cursor moves, are asked of the engine here and given to
// the page as data.
//   node build.mjs ENGINE_JS OUTPUT_HTML
import { build } from 'esbuild';
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [engineFile, outputFile] = process.argv.slice(2);
if (!engineFile || !outputFile) {
  console.error('usage: node build.mjs ENGINE_JS OUTPUT_HTML');
  process.exit(2);
}

const { loadEngine } = await import(join(here, 'src/engine.js'));

// {kinds: [{kind, fields}], byCode: [index into kinds for each byte of column 1]}
async function cardTable() {
  const engine = await loadEngine(createRequire(import.meta.url)(resolve(engineFile)));
  const kinds = [];
  const index = new Map();
  const byCode = [];
  for (let code = 0; code < 256; code++) {
    const entry = { kind: engine.fieldAt(new Uint8Array([code]), 1).kind, fields: engine.cardFields(code) };
    const key = JSON.stringify(entry);
    if (!index.has(key)) {
      index.set(key, kinds.length);
      kinds.push(entry);
    }
    byCode.push(index.get(key));
  }
  return JSON.stringify({ kinds, byCode });
}

const common = { bundle: true, minify: true, write: false, target: 'es2020', legalComments: 'none', logLevel: 'warning' };

const worker = await build({ ...common, entryPoints: [join(here, 'src/worker.js')], format: 'iife' });

// The bar types as the deck reference's table of them gives them:
// {type: {hooks, length, notes}}, its rows read in the build, not copied.
function barTypes() {
  const reference = readFileSync(join(here, '../docs/deck-format.md'), 'utf8');
  const section = reference.split(/^## The 53 bar types$/m)[1].split(/^## /m)[0];
  const types = {};
  for (const row of section.matchAll(/^\| (\d+) \|(.*)\|(.*)\|(.*)\|$/gm)) {
    const [, type, hooks, length, notes] = row.map((cell) => cell.trim());
    types[type] = { hooks, length, notes };
  }
  if (Object.keys(types).length !== 53) throw new Error('docs/deck-format.md: the table of the 53 bar types changed');
  return JSON.stringify(types);
}

const table = await cardTable();

// The engine and the worker reach the page as texts of their own modules.
const texts = {
  name: 'texts',
  setup(builder) {
    const sources = {
      'engine-source': readFileSync(engineFile, 'utf8'),
      'worker-source': worker.outputFiles[0].text,
      'card-table': table,
      'bar-types': barTypes(),
    };
    const loaders = { 'card-table': 'json', 'bar-types': 'json' };
    builder.onResolve({ filter: /^(engine-source|worker-source|card-table|bar-types)$/ }, (args) => ({
      path: args.path,
      namespace: 'texts',
    }));
    builder.onLoad({ filter: /.*/, namespace: 'texts' }, (args) => ({
      contents: sources[args.path],
      loader: loaders[args.path] || 'text',
    }));
  },
};

const page = await build({
  ...common,
  entryPoints: [join(here, 'src/main.js')],
  format: 'iife',
  outdir: 'out',
  loader: { '.deck': 'text' },
  plugins: [texts],
});
const output = (extension) => page.outputFiles.find((file) => file.path.endsWith(extension)).text;
// "</script" inside the script would end it early; "<\/script" reads the same.
const script = output('.js').replace(/<\/(script)/gi, '<\\/$1');
const style = output('.css').replace(/<\/(style)/gi, '<\\/$1');
const html = readFileSync(join(here, 'index.html'), 'utf8')
  .replace('/*STYLE*/', () => style)
  .replace('/*SCRIPT*/', () => script);
writeFileSync(outputFile, html);
console.log(`${outputFile}: ${(html.length / 1024).toFixed(0)} KiB`);
