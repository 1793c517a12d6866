// A small static web server for the page, on 127.0.0.1 only.
//
//   node web/serve.mjs FOLDER [PORT]
//
// Any static server does; this one knows the type of .wasm, so that the
// browser compiles the program while it downloads, compresses what a browser
// takes compressed, and asks browsers not to keep stale copies across
// rebuilds. The browser test starts it too.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';

// Everything but the pictures, which are compressed already.
const COMPRESSED = new Set(['.html', '.js', '.mjs', '.wasm', '.css', '.json', '.webmanifest']);

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.css': 'text/css; charset=utf-8',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
};

function reply(response, status, text) {
  response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' });
  response.end(`${text}\n`);
}

// The file that an address names inside root, or the status that refuses it:
// 400 for an address that does not decode or holds a NUL byte (which the file
// system calls would throw on), 404 for one that leads out of the folder.
function resolveFile(root, url) {
  let name;
  try {
    name = decodeURIComponent(new URL(url, 'http://localhost').pathname);
  } catch {
    return 400;
  }
  if (name.includes('\0'))
    return 400;
  if (name.endsWith('/'))
    name += 'index.html';
  const file = path.resolve(root, `.${name}`);
  // Nothing outside the folder, however the address is spelt.
  if (file !== root && !file.startsWith(root + path.sep))
    return 404;
  return file;
}

// Serves FOLDER; resolves to the listening server once it listens.
export function serve(folder, port = 0, host = '127.0.0.1') {
  const root = fs.realpathSync(folder);
  const server = http.createServer((request, response) => {
    if (request.method !== 'GET' && request.method !== 'HEAD') {
      reply(response, 405, 'only GET and HEAD');
      return;
    }
    const file = resolveFile(root, request.url);
    if (typeof file === 'number') {
      reply(response, file, file === 400 ? 'bad address' : 'not found');
      return;
    }
    fs.stat(file, (error, stats) => {
      if (error || !stats.isFile()) {
        reply(response, 404, 'not found');
        return;
      }
      const gzip = COMPRESSED.has(path.extname(file)) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
      response.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
        Vary: 'Accept-Encoding',
        ...(gzip ? { 'Content-Encoding': 'gzip' } : { 'Content-Length': stats.size }),
      });
      if (request.method === 'HEAD') {
        response.end();
        return;
      }
      const body = fs.createReadStream(file).on('error', () => response.destroy());
      (gzip ? body.pipe(zlib.createGzip({ level: 9 })) : body).pipe(response);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => {
      server.off('error', reject);
      resolve(server);
    });
  });
}

if (process.argv[1] && import.meta.url === pathToFileURL(path.resolve(process.argv[1])).href) {
  const [folder, portText = '8080'] = process.argv.slice(2);
  const port = Number(portText);
  if (!folder || !Number.isInteger(port) || port < 0 || port > 65535) {
    console.error('usage: node web/serve.mjs FOLDER [PORT]   (PORT 0 to 65535, default 8080)');
    process.exit(2);
  }
  if (!fs.existsSync(path.join(folder, 'index.html'))) {
    console.error(`serve: ${folder} holds no index.html: build the page first (web/build.sh)`);
    process.exit(1);
  }
  serve(folder, port).then(
    (server) => console.log(`Corvane is at http://127.0.0.1:${server.address().port}/  (Ctrl+C stops)`),
    (error) => {
      console.error(`serve: ${error.message}`);
      process.exit(1);
    });
}
