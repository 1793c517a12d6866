// The page's own server answers every request and goes on: a bad request
// gets a 4xx answer and nothing else, and the page is served after it.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { serve } from '../../web/serve.mjs';

let folder;
let server;

// A folder beside a secret, so that a path climbing out would find it.
before(async () => {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-serve-'));
  folder = path.join(root, 'page');
  fs.mkdirSync(path.join(folder, 'sub'), { recursive: true });
  fs.writeFileSync(path.join(folder, 'index.html'), '<!doctype html><title>Corvane</title>\n');
  fs.writeFileSync(path.join(root, 'secret.txt'), 'not for the page\n');
  server = await serve(folder);
});

after(() => {
  server?.close();
  fs.rmSync(path.dirname(folder), { recursive: true, force: true });
});

// One request as raw bytes, as a careless or hostile client sends it.
function ask(head) {
  return new Promise((resolve, reject) => {
    const socket = net.connect(server.address().port, '127.0.0.1', () => socket.write(head));
    const chunks = [];
    socket.on('data', (chunk) => chunks.push(chunk));
    socket.on('error', reject);
    socket.on('close', () => {
      const text = Buffer.concat(chunks).toString('latin1');
      resolve({ status: Number(text.match(/^HTTP\/1\.1 (\d{3})/)?.[1] ?? 0), text });
    });
  });
}

const get = (target, method = 'GET') => `${method} ${target} HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n`;

const BAD = [
  { name: 'an escaped NUL byte', head: get('/index.html%00'), status: 400 },
  { name: 'a NUL byte in a folder', head: get('/sub%00/index.html'), status: 400 },
  { name: 'a malformed escape', head: get('/%zz'), status: 400 },
  { name: 'a cut escape', head: get('/index.html%'), status: 400 },
  { name: 'a broken UTF-8 escape', head: get('/%E0%A4%A'), status: 400 },
  { name: 'an overlong UTF-8 dot', head: get('/%c0%ae%c0%ae/secret.txt'), status: 400 },
  { name: 'a path climbing out', head: get('/../secret.txt'), status: 404 },
  { name: 'escaped dots climbing out', head: get('/%2e%2e/secret.txt'), status: 404 },
  { name: 'escaped slashes climbing out', head: get('/..%2fsecret.txt'), status: 404 },
  { name: 'backslashes climbing out', head: get('/..%5csecret.txt'), status: 404 },
  { name: 'a very long path', head: get(`/${'a'.repeat(100_000)}`), status: 431 },
  { name: 'a very long name', head: get(`/${'a'.repeat(5_000)}.html`), status: 404 },
  { name: 'a folder', head: get('/sub'), status: 404 },
  { name: 'POST', head: get('/', 'POST'), status: 405 },
  { name: 'PUT', head: get('/index.html', 'PUT'), status: 405 },
  { name: 'DELETE', head: get('/index.html', 'DELETE'), status: 405 },
  { name: 'not HTTP at all', head: 'hello\r\n\r\n', status: 400 },
];

test('bad requests get a 4xx answer and the page is still served', async () => {
  for (const bad of BAD) {
    const answer = await ask(bad.head);
    assert.equal(answer.status, bad.status, `${bad.name}: ${answer.text.split('\r\n')[0]}`);
    assert.ok(!answer.text.includes('not for the page'), `${bad.name}: the secret was sent`);
    const page = await ask(get('/'));
    assert.equal(page.status, 200, `after ${bad.name}`);
    assert.match(page.text, /<title>Corvane<\/title>/, `after ${bad.name}`);
  }
});
