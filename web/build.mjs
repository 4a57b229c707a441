// Builds the one self-contained page: the engine (Emscripten's single-file
// module), the worker and the page's scripts bundled by esbuild, and the
// styles, all inlined in index.html.
//   node build.mjs ENGINE_JS OUTPUT_HTML
import { build } from 'esbuild';
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const [engineFile, outputFile] = process.argv.slice(2);
if (!engineFile || !outputFile) {
  console.error('usage: node build.mjs ENGINE_JS OUTPUT_HTML');
  process.exit(2);
}

const common = { bundle: true, minify: true, write: false, target: 'es2020', legalComments: 'none', logLevel: 'warning' };

const worker = await build({ ...common, entryPoints: [join(here, 'src/worker.js')], format: 'iife' });

// The engine and the worker reach the page as texts of their own modules.
const texts = {
  name: 'texts',
  setup(builder) {
    const sources = { 'engine-source': readFileSync(engineFile, 'utf8'), 'worker-source': worker.outputFiles[0].text };
    builder.onResolve({ filter: /^(engine|worker)-source$/ }, (args) => ({ path: args.path, namespace: 'texts' }));
    builder.onLoad({ filter: /.*/, namespace: 'texts' }, (args) => ({ contents: sources[args.path], loader: 'text' }));
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
