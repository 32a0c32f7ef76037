// What the browser tests and the page benchmark share: the programs of a
// desktop build, the page served from build/web on 127.0.0.1, and Debian's
// chromium driven by playwright-core, with every request the page makes noted.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

// The runner copies these files beside their npm packages and names the checkout.
const root = process.env.PICTAVO_SOURCE_DIR || fileURLToPath(new URL('../..', import.meta.url));
export const binFolder = process.env.PICTAVO_BIN || join(root, 'build/dev/bin');
export const webFolder = process.env.PICTAVO_WEB || join(root, 'build/web');
export const sourceFolder = root;
export const dataFolder = join(root, 'tests/data');

/// Where a run leaves its fixtures, downloads and screenshots: never the source tree.
export const outputFolder = process.env.PICTAVO_TEST_OUTPUT || mkdtempSync(join(tmpdir(), 'pictavo-web-'));

export function run(program, args, { allowFailure = false } = {}) {
  try {
    return execFileSync(join(binFolder, program), args, { encoding: 'latin1', maxBuffer: 1 << 28 });
  } catch (error) {
    if (allowFailure) return error.stdout;
    throw error;
  }
}

export function mkflash(name, args) {
  const path = join(outputFolder, name);
  run('pictavo-mkflash', [path, ...args]);
  return path;
}

/// Flags with which chromium starts here: headless, and without the
/// background services that would reach for the network.
export const kChromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export async function openBrowser(extraFlags = []) {
  const server = await serve(webFolder);
  const browser = await chromium.launch({
    executablePath: process.env.PICTAVO_CHROMIUM || '/usr/bin/chromium', args: [...kChromiumFlags, ...extraFlags],
  });
  const context = await browser.newContext({ viewport: { width: 1400, height: 900 }, acceptDownloads: true });
  const requests = [];
  const offsite = [];
  // Every request of the page and its worker; anything not for the page's
  // own server is noted and never answered.
  await context.route('**/*', (route) => {
    const url = route.request().url();
    requests.push(url);
    if (url.startsWith(server.url)) return route.continue();
    offsite.push(url);
    return route.abort();
  });
  context.on('request', (request) => {
    if (!request.url().startsWith(server.url) && !offsite.includes(request.url())) offsite.push(request.url());
  });
  return {
    server, browser, context, requests, offsite,
    async close() {
      await browser.close();
      await server.close();
    },
  };
}

export async function newPage(session) {
  const page = await session.context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(session.server.url);
  await ready(page);
  page.errors = errors;
  return page;
}

export async function ready(page) {
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 60000 });
}

export async function openFlash(page, path) {
  await page.setInputFiles('#open-fullflash', path);
  await ready(page);
}

/// The list's rows as pictavo-cli list prints them.
export async function listLines(page) {
  return page.$$eval('[data-index]', (rows) => rows.map((row) =>
    [...row.querySelectorAll('[role="gridcell"]')].map((cell) => cell.textContent).join('\t')));
}

export async function selectRow(page, index) {
  await page.click(`[data-index="${index}"]`);
  await ready(page);
}

/// The bytes of the download that `action` starts.
export async function downloadOf(page, action) {
  const [download] = await Promise.all([page.waitForEvent('download'), action()]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}

export async function exportPictures(page, kind, all) {
  await page.click('#export-menu summary');
  return downloadOf(page, () => page.click(`[data-export="${kind}"]${all ? '[data-all]' : ':not([data-all])'}`));
}

/// Drops a file with `bytes` on the element `selector`, as a file from the desktop.
export async function dropFile(page, selector, name, bytes) {
  const dataTransfer = await page.evaluateHandle(({ fileName, data }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(data)], fileName));
    return transfer;
  }, { fileName: name, data: [...bytes] });
  await page.dispatchEvent(selector, 'drop', { dataTransfer });
  await ready(page);
}

export async function messages(page) {
  return page.$$eval('#messages .message p', (items) => items.map((item) => item.textContent));
}

export async function screenshot(page, name) {
  await page.screenshot({ path: join(outputFolder, `${name}.png`) });
}
