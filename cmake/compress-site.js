'use strict';
// Writes FILE.gz and FILE.br beside each text and .wasm file of the site folder, at the
// strongest levels, for hosts that serve a compressed file in place of the file itself.
// Each is only rewritten when its file is newer. Usage: node compress-site.js SITE_DIR
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const site = process.argv[2];
const compressible = /\.(html|css|js|wasm|webmanifest|svg|txt)$|^LICENSE$/;
const kinds = [
  ['.gz', (bytes) => zlib.gzipSync(bytes, { level: 9 })],
  ['.br', (bytes) => zlib.brotliCompressSync(bytes, {
    params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 11,
              [zlib.constants.BROTLI_PARAM_SIZE_HINT]: bytes.length },
  })],
];
for (const name of fs.readdirSync(site).filter((file) => compressible.test(file))) {
  const file = path.join(site, name);
  const { mtimeMs } = fs.statSync(file);
  for (const [suffix, compress] of kinds) {
    const target = file + suffix;
    if (!fs.existsSync(target) || fs.statSync(target).mtimeMs < mtimeMs) {
      fs.writeFileSync(target, compress(fs.readFileSync(file)));
    }
  }
}
