// Lighthouse on the built page, served from this machine with compression as a real host would:
// node audit.mjs SITE. Prints each preset's category scores and the layout shift.
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join, normalize} from 'node:path';
import {gzipSync} from 'node:zlib';
import lighthouse from 'lighthouse';
import desktop from 'lighthouse/core/config/desktop-config.js';
import * as chromeLauncher from 'chrome-launcher';

const site = process.argv[2];
const types = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json', '.data': 'application/octet-stream'};

const server = createServer(async (request, response) => {
  const path = normalize(decodeURIComponent(new URL(request.url, 'http://host').pathname)).replace(/^(\.\.[/\\])+/, '');
  try {
    const body = await readFile(join(site, path.endsWith('/') ? path + 'index.html' : path));
    const type = types[extname(path.endsWith('/') ? 'index.html' : path)] || 'application/octet-stream';
    const zipped = /gzip/.test(request.headers['accept-encoding'] || '');
    response.writeHead(200, {'Content-Type': type, 'Cache-Control': 'max-age=3600',
      ...(zipped ? {'Content-Encoding': 'gzip'} : {})});
    response.end(zipped ? gzipSync(body, {level: 9}) : body);
  } catch {
    response.writeHead(404, {'Content-Type': 'text/plain'});
    response.end('not found');
  }
}).listen(0, '127.0.0.1');
await new Promise(resolve => server.once('listening', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

const chrome = await chromeLauncher.launch({chromePath: '/usr/bin/chromium', chromeFlags: ['--headless=new',
  '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--no-first-run']});
try {
  for (const [name, config] of [['mobile', undefined], ['desktop', desktop]]) {
    const {lhr} = await lighthouse(url, {port: chrome.port, output: 'json', logLevel: 'error'}, config);
    const scores = Object.values(lhr.categories).map(category => `${category.title} ${Math.round(category.score * 100)}`);
    const shift = lhr.audits['cumulative-layout-shift'].numericValue;
    console.log(`${name}: ${scores.join(', ')}; layout shift ${shift.toFixed(3)}`);
    for (const audit of Object.values(lhr.audits))
      if (audit.score !== null && audit.score < 0.9 && audit.scoreDisplayMode != 'informative')
        console.log(`  ${audit.id}: ${audit.score} ${audit.displayValue || ''}`);
  }
} finally {
  await chrome.kill();
  server.close();
}
