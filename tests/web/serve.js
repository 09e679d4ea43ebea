'use strict';
// Serves a folder over HTTP on a local port, as a careful static host would: a file's
// .br or .gz copy where the browser takes it, an ETag to revalidate against, and any
// extra headers asked for (a Content-Security-Policy, say).
// Usage as a program: node serve.js SITE_DIR [PORT]   (default 8000)
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
const kEncodings = [['br', '.br'], ['gzip', '.gz']];

// The file to send for `file`, and its encoding, as `accepted` allows.
function chooseFile(file, accepted) {
  for (const [encoding, suffix] of kEncodings) {
    if (accepted.includes(encoding) && fs.existsSync(file + suffix)) {
      return { sent: file + suffix, encoding };
    }
  }
  return { sent: file, encoding: null };
}

// Resolves to { url, close, served }: `served` counts the bodies sent for each path.
function serveFolder(folder, { headers = {}, port = 0 } = {}) {
  const served = {};
  const server = http.createServer((request, response) => {
    const name = path.normalize(new URL(request.url, 'http://host').pathname);
    const file = path.join(folder, name.endsWith('/') ? `${name}index.html` : name);
    const { sent, encoding } = chooseFile(file, request.headers['accept-encoding'] || '');
    fs.stat(sent, (error, stats) => {
      if (error || !stats.isFile()) {
        response.writeHead(404).end();
        return;
      }
      const tag = `"${stats.size.toString(16)}-${stats.mtimeMs.toString(16)}"`;
      const head = { ...headers, ETag: tag, 'Cache-Control': 'no-cache', Vary: 'Accept-Encoding',
                     'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream' };
      if (encoding !== null) {
        head['Content-Encoding'] = encoding;
      }
      if (request.headers['if-none-match'] === tag) {
        response.writeHead(304, head).end();
        return;
      }
      served[name] = (served[name] || 0) + 1;
      response.writeHead(200, head);
      fs.createReadStream(sent).pipe(response);
    });
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => {
      // Closing drops the open connections too, so that nothing more is served.
      const close = () => new Promise((closed) => {
        server.close(closed);
        server.closeAllConnections();
      });
      resolve({ url: `http://127.0.0.1:${server.address().port}/`, close, served });
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

if (require.main === module) {
  const [folder, port = '8000'] = process.argv.slice(2);
  serveFolder(folder, { port: Number(port) })
    .then(({ url }) => console.log(`Serving ${folder} at ${url}`));
}
