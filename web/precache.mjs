// Writes the page's service worker: web/sw.js with the build's name, a hash
// of every file of the page, and the list of those files.
//
//   node web/precache.mjs PAGE_FOLDER TEMPLATE
//
// Run after everything else is in PAGE_FOLDER; the worker goes to
// PAGE_FOLDER/sw.js. Any change to any file gives another name, and so a new
// worker that replaces the old one and its cache.
import crypto from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

// The worker itself, and the program as a script, which only a page opened as
// a file (where there is no worker) loads.
const OWN = new Set(['sw.js', 'corvane-wasm.js']);

function filesOf(folder, under = '') {
  const names = [];
  for (const entry of fs.readdirSync(path.join(folder, under), { withFileTypes: true })) {
    const name = under ? `${under}/${entry.name}` : entry.name;
    if (entry.isDirectory())
      names.push(...filesOf(folder, name));
    else if (entry.isFile() && !OWN.has(name))
      names.push(name);
  }
  return names.sort();
}

export function writeWorker(folder, template) {
  const files = filesOf(folder);
  const hash = crypto.createHash('sha256');
  for (const name of files) {
    hash.update(`${name}\0`);
    hash.update(fs.readFileSync(path.join(folder, name)));
  }
  const build = hash.digest('hex').slice(0, 16);
  // The folder itself is the address the page is opened by.
  const list = ['./', ...files];
  const text = fs.readFileSync(template, 'utf8');
  const out = text
    .replace(/^const BUILD = .*;$/m, `const BUILD = '${build}';`)
    .replace(/^const FILES = .*;$/m, `const FILES = ${JSON.stringify(list)};`);
  if (out === text)
    throw new Error(`${template} has no BUILD and FILES lines to fill in`);
  fs.writeFileSync(path.join(folder, 'sw.js'), out);
  return build;
}

if (process.argv[1] && path.resolve(process.argv[1]) === path.resolve(new URL(import.meta.url).pathname)) {
  const [folder, template] = process.argv.slice(2);
  if (!folder || !template) {
    console.error('usage: node web/precache.mjs PAGE_FOLDER TEMPLATE');
    process.exit(2);
  }
  try {
    console.log(`sw.js: build ${writeWorker(folder, template)}`);
  } catch (error) {
    console.error(`precache: ${error.message}`);
    process.exit(1);
  }
}
