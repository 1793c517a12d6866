// Writes the program as a script, for a page opened as a file: browsers
// fetch nothing from file:// addresses, but they do run the scripts a page
// names beside it.
//
//   node web/wasmscript.mjs corvane.wasm corvane-wasm.js
import fs from 'node:fs';

const [input, output] = process.argv.slice(2);
if (!input || !output) {
  console.error('usage: node web/wasmscript.mjs PROGRAM.wasm OUTPUT.js');
  process.exit(2);
}
const base64 = fs.readFileSync(input).toString('base64');
fs.writeFileSync(output, `// ${input.split('/').pop()}, for a page opened as a file.\nwindow.corvaneWasm = '${base64}';\n`);
