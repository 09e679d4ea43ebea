'use strict';
// Serves a folder over HTTP on a free local port, as any static host would.
const fs = require('fs');
const http = require('http');
const path = require('path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.txt': 'text/plain; charset=utf-8',
};

function serveFolder(folder) {
  const server = http.createServer((request, response) => {
    const name = path.normalize(new URL(request.url, 'http://host').pathname);
    const file = path.join(folder, name.endsWith('/') ? `${name}index.html` : name);
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      const type = kTypes[path.extname(file)] || 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type }).end(body);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      // Closing drops the open connections too, so that nothing more is served.
      const close = () => new Promise((closed) => {
        server.close(closed);
        server.closeAllConnections();
      });
      resolve({ url: `http://127.0.0.1:${server.address().port}/`, close });
    });
  });
}

// Debian's Chromium, headless and kept off the network: without these flags it reaches out
// for updates and sync, which a closed network refuses.
const kChromium = {
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};

module.exports = { serveFolder, kChromium };
