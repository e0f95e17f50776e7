// page_speed.mjs - the page's speed against the native program's: a whole unpaced pass of
// each, the page drawing to its canvas in headless Chromium and the native
// program offscreen on one thread, run alternately on the same machine. Each
// is also timed to its first frame alone, and the difference over the 3598
// frames between is the time of a frame, start-up and page load left out.
// Prints every time, the medians and the ratio of the page's to the native's;
// and the same of processor time (the native program's, the page's renderer
// processes'), which a shared machine's load disturbs less.
//   node bench/web/page_speed.mjs [PAGE_DIR] [NATIVE_PROGRAM] [RUNS, default 3]
// from the source root, after bash scripts/deps.sh test (puppeteer-core) and
// a build of both (build-web/app/, build/app/lumivex). Not run by the tests.
import {spawn, spawnSync} from 'node:child_process';
import fs from 'node:fs';
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

// Processor seconds: of this process's finished children, or of this
// browser's renderer processes (not another's on a shared machine), from
// /proc (clock ticks of 1/100 s).
const ticks = fields => (Number(fields[0]) + Number(fields[1])) / 100;
const stat = pid => fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
const childrenCpu = () => ticks(stat('self').slice(13, 15));
function ours(pid) {
  for (let p = pid; p > 1; p = Number(stat(p)[1]))
    if (p === browser.process().pid) return true;
  return false;
}
function renderersCpu() {
  let total = 0;
  for (const pid of fs.readdirSync('/proc').filter(p => /^\d+$/.test(p))) {
    try {
      if (fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=renderer') && ours(Number(pid)))
        total += ticks(stat(pid).slice(11, 13));
    } catch {}  // gone meanwhile
  }
  return total;
}

// Seconds from the start of the program, or the page's navigation, to its
// end, and the processor seconds it took.
function runNative(key) {
  const env = {...process.env, LUMIVEX_THREADS: '1', LUMIVEX_DIALOG: 'start', LUMIVEX_OUTPUT: 'offscreen',
               LUMIVEX_SWAP_INTERVAL: '0', LUMIVEX_KEY_AT_FRAME: String(key)};
  const [t0, c0] = [process.hrtime.bigint(), childrenCpu()];
  if (spawnSync(native, {env, stdio: 'inherit'}).status !== 0) throw new Error(`${native} failed`);
  return [Number(process.hrtime.bigint() - t0) / 1e9, childrenCpu() - c0];
}

async function runPage(key) {
  const c0 = renderersCpu();
  const page = await browser.newPage();
  await page.setViewport({width: 1000, height: 700});
  await page.goto(`http://127.0.0.1:${port}/index.html?dialog=start&swap_interval=0&key_at_frame=${key}`);
  const handle = await page.waitForFunction(() => Module.ended && performance.now(), {timeout: 300000, polling: 5});
  const ms = await handle.jsonValue();
  const cpu = renderersCpu() - c0;
  await page.close();
  return [ms / 1000, cpu];
}

const median = list => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const times = {native: {wall: [], cpu: []}, page: {wall: [], cpu: []}};
for (let i = 0; i < runs; ++i) {
  for (const [name, run] of [['native', runNative], ['page', runPage]]) {
    const [whole, wholeCpu] = await run(LAST), [first, firstCpu] = await run(0);
    const frame = (whole - first) / LAST * 1000, cpu = (wholeCpu - firstCpu) / LAST * 1000;
    times[name].wall.push(frame);
    times[name].cpu.push(cpu);
    console.log(`${name} ${i + 1}: pass ${whole.toFixed(2)} s, to the first frame ${first.toFixed(2)} s, ` +
                `${frame.toFixed(3)} ms a frame (${cpu.toFixed(3)} ms of processor time)`);
  }
}
for (const kind of ['wall', 'cpu']) {
  const [n, p] = [median(times.native[kind]), median(times.page[kind])];
  console.log(`median frame${kind === 'cpu' ? ', processor time' : ''}: native ${n.toFixed(3)} ms, ` +
              `page ${p.toFixed(3)} ms; page / native ${(p / n).toFixed(2)}`);
}
await browser.close();
server.kill();
