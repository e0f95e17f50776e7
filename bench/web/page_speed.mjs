// The page's speed against the native program's: a whole unpaced pass of
// each, the page drawing to its canvas in headless Chromium and the native
// program offscreen on one thread, run alternately on the same machine. Each
// is also timed to its first frame alone, and the difference over the 3598
// frames between is the time of a frame, start-up and page load left out.
// Prints every time, the medians and the ratio of the page's to the native's.
//   node bench/web/page_speed.mjs [PAGE_DIR] [NATIVE_PROGRAM] [RUNS, default 3]
// from the source root, after bash scripts/deps.sh test (puppeteer-core) and
// a build of both (build-web/app/, build/app/lumivex). Not run by the tests.
import {spawn, spawnSync} from 'node:child_process';
import {createRequire} from 'node:module';
import path from 'node:path';

const [pageDir = 'build-web/app', native = 'build/app/lumivex', runsText = '3'] = process.argv.slice(2);
const runs = Number(runsText);
const LAST = 3598;
const puppeteer = createRequire(path.resolve('tests/web/package.json'))('puppeteer-core');

// Any static server will do; Python's says its port on its first line.
const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', pageDir],
                     {stdio: ['ignore', 'pipe', 'ignore']});
const port = await new Promise(resolve => server.stdout.on('data', d => {
  const m = /port (\d+)/.exec(String(d));
  if (m) resolve(m[1]);
}));
const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
                                        args: ['--no-sandbox', '--disable-gpu', '--no-first-run']});

// Seconds from the start of the program, or the page's navigation, to its end.
function runNative(key) {
  const env = {...process.env, LUMIVEX_THREADS: '1', LUMIVEX_DIALOG: 'start', LUMIVEX_OUTPUT: 'offscreen',
               LUMIVEX_SWAP_INTERVAL: '0', LUMIVEX_KEY_AT_FRAME: String(key)};
  const t0 = process.hrtime.bigint();
  if (spawnSync(native, {env, stdio: 'inherit'}).status !== 0) throw new Error(`${native} failed`);
  return Number(process.hrtime.bigint() - t0) / 1e9;
}

async function runPage(key) {
  const page = await browser.newPage();
  await page.setViewport({width: 1000, height: 700});
  await page.goto(`http://127.0.0.1:${port}/index.html?dialog=start&swap_interval=0&key_at_frame=${key}`);
  const handle = await page.waitForFunction(() => Module.ended && performance.now(), {timeout: 300000, polling: 5});
  const ms = await handle.jsonValue();
  await page.close();
  return ms / 1000;
}

const median = list => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const times = {native: [], page: []};
for (let i = 0; i < runs; ++i) {
  for (const [name, run] of [['native', runNative], ['page', runPage]]) {
    const whole = await run(LAST), first = await run(0);
    const frame = (whole - first) / LAST * 1000;
    times[name].push(frame);
    console.log(`${name} ${i + 1}: pass ${whole.toFixed(2)} s, to the first frame ${first.toFixed(2)} s, ` +
                `${frame.toFixed(3)} ms a frame`);
  }
}
const [n, p] = [median(times.native), median(times.page)];
console.log(`median frame: native ${n.toFixed(3)} ms, page ${p.toFixed(3)} ms; page / native ${(p / n).toFixed(2)}`);
await browser.close();
server.kill();
