// A short run of the page in Firefox, driven over WebDriver BiDi: the prompt answered, a move, undo, a reload and
// the keyboard cursor. firefox_test.js SITE, with puppeteer-core on NODE_PATH.
'use strict';
const assert = require('node:assert');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css'};
const server = http.createServer((request, response) => {
  const file = path.join(process.argv[2], new URL(request.url, 'http://host').pathname.replace(/\/$/, '/index.html'));
  fs.readFile(file, (error, bytes) => {
    response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
    response.end(bytes);
  });
});

// The canvas's pixels, hashed (FNV-1a), once the first frame is drawn.
const canvasHash = page => page.waitForFunction(() => {
  const c = document.getElementById('screen'), bytes = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  return bytes[3] == 255 && bytes.reduce((value, byte) => Math.imul(value ^ byte, 16777619), 2166136261);
}).then(handle => handle.jsonValue());

async function start(page) {
  await page.waitForFunction(() => document.getElementById('prompt').open);
  await page.keyboard.press('Enter');
  return canvasHash(page);
}

async function main() {
  await new Promise(listening => server.listen(0, '127.0.0.1', listening));
  const browser = await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true});
  try {
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/?board=1`);
    const dealt = await start(page);
    const box = await page.$eval('#screen', c => c.getBoundingClientRect().toJSON());
    const cell = [box.x + 126 * box.width / 364, box.y + 302 * box.height / 420]; // cell (4, 15)
    await page.mouse.click(...cell);
    assert.notStrictEqual(await canvasHash(page), dealt);
    await page.mouse.click(...cell, {button: 'right'});
    assert.strictEqual(await canvasHash(page), dealt);

    await page.reload(); // the game goes on, with no prompt
    assert.strictEqual(await canvasHash(page), dealt);
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowRight');
    const said = () => page.$$eval('#said p', lines => lines.map(line => line.textContent));
    const [, n] = (await said()).at(-1).match(/^Column 2, row 15: \w+, (\d+) blocks$/);
    await page.keyboard.press('Enter');
    await page.waitForFunction(points => [...document.querySelectorAll('#said p')].at(-1).textContent == points,
      {}, `Points: ${5 * n * (n - 1)}`);
  } finally {
    await browser.close();
    server.close();
  }
  console.log('firefox test: passed');
}

main().catch(error => {
  console.error(error);
  process.exit(1);
});
