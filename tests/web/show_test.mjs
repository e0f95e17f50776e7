// show_test.mjs - the show as a web page, in headless Chromium: the start-up dialog comes up
// and starts the show, frames come at the show's pace, Alt+Enter takes the
// page to full screen and back while the show goes on, a key ends it and the
// page says so; on a phone the dialog fits either way up, a tap on Start
// starts the show and a tap on it ends it; frames 100 and 1000 are the
// native program's to the byte, the canvas shows the page's last frame as
// dumped, and the console stays clean.
// Usage: node show_test.mjs PAGE_DIR NATIVE_PROGRAM CHROMIUM (from the source root)
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [pageDir, nativeProgram, chromium] = process.argv.slice(2).map(a => path.resolve(a));
const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'lumivex-web-'));
const FRAMES = [100, 1000];

// A static server for the page on a free port of this machine.
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};
const server = http.createServer((request, response) => {
  const file = path.join(pageDir, path.normalize(new URL(request.url, 'http://x').pathname));
  if (!file.startsWith(pageDir) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, {'Content-Type': types[path.extname(file)] || 'application/octet-stream'});
  fs.createReadStream(file).pipe(response);
});
await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
const site = `http://127.0.0.1:${server.address().port}/index.html`;

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  userDataDir: path.join(tmp, 'profile'),
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
const complaints = [];

async function open(query, viewport = {width: 1000, height: 700}) {
  const page = await browser.newPage();
  page.on('console', m => { if (m.type() === 'error' || m.type() === 'warn') complaints.push(m.text()); });
  page.on('pageerror', e => complaints.push(e.message));
  await page.setViewport(viewport);
  await page.goto(`${site}?${query}`);
  return page;
}

const frames = page => page.evaluate(() => Module.frames);
const pause = ms => new Promise(resolve => setTimeout(resolve, ms));
async function framesGoOn(page) {
  const f = await frames(page);
  await page.waitForFunction(f => Module.frames > f + 5, {timeout: 5000}, f);
}
const ended = page => page.waitForFunction(() => Module.ended, {timeout: 120000, polling: 100});

let passed = 0, failed = 0;
async function check(name, body) {
  try {
    await body();
    console.log(`ok: ${name}`);
    passed++;
  } catch (e) {
    console.log(`FAILED: ${name}\n${e.stack || e}`);
    failed++;
  }
}

await check('the dialog starts the show, which keeps its pace until a key ends it', async () => {
  const page = await open('');
  const start = await page.waitForSelector('#dialog .control ::-p-text(Start The Show!)', {timeout: 30000});
  assert.equal(await frames(page), 0, 'nothing is shown before Start');
  await start.click();
  await page.waitForFunction(() => Module.frames > 0 && document.getElementById('dialog').hidden, {timeout: 10000});
  const [f0, t0] = [await frames(page), Date.now()];
  await pause(3000);
  const rate = (await frames(page) - f0) / ((Date.now() - t0) / 1000);
  assert.ok(rate > 22 && rate < 32, `${rate.toFixed(1)} frames a second`);
  for (const full of [true, false]) {
    await page.keyboard.down('AltLeft');
    await page.keyboard.press('Enter');
    await page.keyboard.up('AltLeft');
    await page.waitForFunction(full => !!document.fullscreenElement === full, {timeout: 5000}, full);
    await framesGoOn(page);
    const pointer = await page.$eval('#screen', s => getComputedStyle(s).cursor);
    assert.equal(pointer, full ? 'none' : 'auto', 'the pointer is hidden in full screen only');
  }
  await page.keyboard.press('KeyQ');
  await page.waitForFunction(() => Module.ended, {timeout: 5000});
  assert.match(await page.$eval('#status', e => e.textContent), /show has ended/);
  await page.close();
});

await check('on a phone the dialog fits either way up, and taps start and end the show', async () => {
  const phone = {width: 390, height: 844, isMobile: true, hasTouch: true};
  const page = await open('', phone);
  const start = await page.waitForSelector('#dialog .control ::-p-text(Start The Show!)', {timeout: 30000});
  for (const [width, height] of [[390, 844], [844, 390]]) {
    await page.setViewport({...phone, width, height});
    await pause(100);
    const box = await page.$eval('#dialog', d => ({...d.getBoundingClientRect().toJSON(), drawn: d.offsetWidth}));
    assert.ok(box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height,
              `the dialog in ${width}x${height}: ${JSON.stringify(box)}`);
    // Upright, the dialog's text is at least as large as on a desktop.
    assert.ok(width > height || box.width >= box.drawn, `the dialog upright: ${JSON.stringify(box)}`);
  }
  await start.tap();
  await page.waitForFunction(() => Module.frames > 0 && document.getElementById('dialog').hidden, {timeout: 10000});
  await framesGoOn(page);
  await page.touchscreen.tap(400, 200);
  await page.waitForFunction(() => Module.ended, {timeout: 5000});
  await page.close();
});

await check('frames 100 and 1000 are the native program\'s', async () => {
  const native = path.join(tmp, 'native');
  const env = {...process.env, LUMIVEX_DIALOG: 'start', LUMIVEX_OUTPUT: 'offscreen', LUMIVEX_SWAP_INTERVAL: '0',
               LUMIVEX_DUMP_DIR: native, LUMIVEX_DUMP_FRAMES: FRAMES.join(','), LUMIVEX_KEY_AT_FRAME: '1000'};
  assert.equal(spawnSync(nativeProgram, {env, stdio: 'inherit'}).status, 0);
  // The key ends the show after one more frame, 1001, which the canvas shows at the end.
  const page = await open(`dialog=start&swap_interval=0&dump_frames=${FRAMES.join(',')},1001&key_at_frame=1000`);
  await ended(page);
  for (const frame of FRAMES) {
    const name = `frame-${String(frame).padStart(6, '0')}.png`;
    const web = Buffer.from(await page.evaluate(n => Array.from(Module.FS.readFile('/dumps/' + n)), name));
    assert.ok(web.equals(fs.readFileSync(path.join(native, name))), `${name} differs from the native dump`);
    assert.equal(await page.$eval(`#downloads a[download="${name}"]`, a => a.textContent), name);
  }
  const shown = await page.evaluate(async () => {
    const png = Module.FS.readFile('/dumps/frame-001001.png');
    const image = await createImageBitmap(new Blob([png]), {colorSpaceConversion: 'none', premultiplyAlpha: 'none'});
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const dumped = context.getImageData(0, 0, image.width, image.height).data;
    const screen = document.getElementById('screen');
    const seen = screen.getContext('2d').getImageData(0, 0, screen.width, screen.height).data;
    return {frames: Module.frames, same: dumped.length === seen.length && dumped.every((v, i) => v === seen[i])};
  });
  assert.deepEqual(shown, {frames: 1002, same: true}, 'the canvas shows the last frame as dumped');
  await page.close();
});

await check('the console stays clean', async () => assert.deepEqual(complaints, []));

await browser.close();
server.close();
fs.rmSync(tmp, {recursive: true, force: true});
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
