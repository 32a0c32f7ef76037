// The page's speed and size in headless chromium, on a 96 MiB New-SGold
// fullflash with 2 501 pictures: from choosing the file to the full list
// shown, from choosing the thumbnails to their first screen drawn, the tab's
// memory, the page usable after it starts loading, and the bytes of the
// .wasm and the JS. Each time is the median of several runs, each in a new tab.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';
import {
  mkflash, newPage, openBrowser, openFlash, webFolder,
} from './harness.mjs';

const kRuns = Number(process.env.PICTAVO_BENCH_RUNS || 5);

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function between(page, from, to) {
  return page.evaluate(([start, end]) => {
    const [a] = performance.getEntriesByName(start);
    const [b] = performance.getEntriesByName(end);
    return b.startTime - (a ? a.startTime : 0);
  }, [from, to]);
}

/// A switch chromium ignores, by which this run's browser process is found.
const kMarker = `--pictavo-page-bench=${process.pid}`;

function childrenOf(pid) {
  try {
    return readFileSync(`/proc/${pid}/task/${pid}/children`, 'utf8').split(' ').filter(Boolean);
  } catch {
    return [];
  }
}

/// Proportional set size, in MiB, of this run's renderer processes: the tab
/// with its worker (one tab is open).
function rendererMemory() {
  const browser = readdirSync('/proc').find((pid) => {
    try {
      return readFileSync(`/proc/${pid}/cmdline`, 'utf8').split('\0').includes(kMarker);
    } catch {
      return false;
    }
  });
  let kib = 0;
  const walk = (pid) => {
    try {
      if (readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=renderer')) {
        kib += Number(readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8').match(/^Pss:\s+(\d+)/m)[1]);
      }
    } catch {
      return; // ended meanwhile
    }
    for (const child of childrenOf(pid)) walk(child);
  };
  walk(browser);
  return kib / 1024;
}

const flash = mkflash('bench-96mib.bin', ['--platform', 'newsgold', '--model', 'E71', '--pictures', '2501',
  '--size-mib', '96', '--seed', '1']);
const session = await openBrowser([kMarker]);
const results = { usable: [], list: [], thumbnails: [], memory: [] };
for (let run = 0; run < kRuns; run += 1) {
  const page = await newPage(session);
  results.usable.push(await between(page, 'navigationStart', 'page-ready'));
  await openFlash(page, flash);
  const rows = await page.$$eval('[data-index]', (all) => all.length);
  if (rows !== 2501) throw new Error(`${rows} rows listed, not 2501`);
  results.list.push(await between(page, 'flash-chosen', 'list-shown'));
  await page.click('#tab-thumbnails');
  await page.waitForFunction(() => performance.getEntriesByName('thumbnails-shown').length > 0);
  results.thumbnails.push(await between(page, 'thumbnails-chosen', 'thumbnails-shown'));
  results.memory.push(rendererMemory());
  await page.close();
}
await session.close();

const size = (name) => statSync(join(webFolder, name)).size;
const kib = (bytes) => (bytes / 1024).toFixed(0);
const line = (label, values, unit, limit) =>
  console.log(`${label.padEnd(46)} ${median(values).toFixed(0).padStart(6)} ${unit}  (limit ${limit}; runs: ${values.map((v) => v.toFixed(0)).join(' ')})`);
console.log(`page in ${webFolder}, ${kRuns} runs, medians`);
line('page usable after it starts loading', results.usable, 'ms', '1000 ms');
line('96 MiB, 2501 pictures: chosen to list shown', results.list, 'ms', '1000 ms');
line('thumbnails chosen to first screen drawn', results.thumbnails, 'ms', '200 ms');
line('tab memory (renderer processes, PSS)', results.memory, 'MiB', '400 MiB');
console.log(`pictavo-core.wasm ${kib(size('pictavo-core.wasm'))} KiB + pictavo.js ${kib(size('pictavo.js'))} KiB = ${kib(size('pictavo-core.wasm') + size('pictavo.js'))} KiB (limit 1536 KiB)`);
