// Serves the web build's folder on 127.0.0.1 and prints the address.
// Usage: node web/serve.mjs FOLDER [PORT]   (port 0 picks a free one)
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.css': 'text/css',
};

// Starts serving `folder`; resolves to the server once it listens.
export function serve(folder, port = 0) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path === '/' ? 'index.html' : path);
    if (!file.startsWith(folder)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end('not found');
    }
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const folder = normalize(process.argv[2] ?? 'build-web');
  const server = await serve(folder, Number(process.argv[3] ?? 8080));
  const address = `http://127.0.0.1:${server.address().port}/`;
  console.log(`spinning-box is served at ${address} and its explorer at ${address}explorer.html`);
}
