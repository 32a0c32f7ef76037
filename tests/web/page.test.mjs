// The page in a real browser, against the desktop's own programs: what the
// page lists, exports, stages, patches, verifies and compares is what
// pictavo-cli gives for the same fullflash. Fixtures come from
// pictavo-mkflash; every file goes to a temporary folder.
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync, readdirSync, writeFileSync, truncateSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { decode as decodePng, encode as encodePng } from 'fast-png';
import { unzipSync } from 'fflate';
import {
  dataFolder, sourceFolder, downloadOf, dropFile, exportPictures, listLines, messages, mkflash, newPage, openBrowser,
  openFlash, outputFolder, ready, run, screenshot, selectRow,
} from './harness.mjs';

const flashes = {
  sgold: { args: ['--platform', 'sgold', '--model', 'S65', '--pictures', '60', '--seed', '3'] },
  newsgold: { args: ['--platform', 'newsgold', '--model', 'E71', '--pictures', '90', '--seed', '5'] },
};

const pngWithAlpha = readFileSync(join(dataFolder, 'pngsuite/basn6a08.png'));
const bmp24 = readFileSync(join(dataFolder, 'bmpsuite/g/rgb24.bmp'));
const jpeg = readFileSync(join(dataFolder, 'jpeg/testorig.jpg'));

let session;

function cliLines(flash) {
  return run('pictavo-cli', ['list', flash]).split('\n').filter(Boolean);
}

/// Rows of `lines` whose type is `type` (e.g. "8800").
function rowsOfType(lines, type) {
  return lines.filter((line) => line.split('\t')[4] === type).map((line) => Number(line.split('\t')[0]));
}

function cliExport(flash, as, pictures) {
  const folder = join(outputFolder, `cli-${as}-${pictures || 'all'}-${Date.now()}`);
  mkdirSync(folder);
  run('pictavo-cli', ['export', flash, '--as', as, '--to', folder, ...(pictures ? ['--pictures', pictures] : [])]);
  return Object.fromEntries(readdirSync(folder).map((name) => [name, readFileSync(join(folder, name))]));
}

function pixelsOf(png) {
  const { width, height, channels, data } = decodePng(png);
  return { width, height, channels, data: Buffer.from(data) };
}

before(async () => {
  for (const [name, flash] of Object.entries(flashes)) {
    flash.path = mkflash(`${name}.bin`, flash.args);
    flash.lines = cliLines(flash.path);
  }
  session = await openBrowser();
});

after(async () => {
  await session?.close();
});

for (const [platform, flash] of Object.entries(flashes)) {
  describe(`a ${platform} fullflash`, () => {
    let page;
    before(async () => {
      page = await newPage(session);
      await screenshot(page, `${platform}-0-first-screen`);
      await openFlash(page, flash.path);
    });

    test('lists every row as pictavo-cli list prints it, and tells the model', async () => {
      assert.deepEqual(await listLines(page), flash.lines);
      const info = await page.textContent('#flash-info');
      assert.match(info, new RegExp(run('pictavo-cli', ['info', flash.path]).match(/model: (.*)/)[1]));
      await screenshot(page, `${platform}-1-list`);
    });

    test('exports BMP and GPF2 files byte for byte as pictavo-cli export', async () => {
      const row = rowsOfType(flash.lines, '8800')[0];
      await selectRow(page, row);
      for (const as of ['bmp', 'gpf2']) {
        const expected = cliExport(flash.path, as, String(row));
        const { name, bytes } = await exportPictures(page, as, false);
        assert.deepEqual(bytes, expected[name], `${as} of picture ${row}`);
      }
      const all = unzipSync((await exportPictures(page, 'gpf2', true)).bytes);
      const expected = cliExport(flash.path, 'gpf2');
      assert.deepEqual(Object.keys(all).sort(), Object.keys(expected).sort());
      for (const name of Object.keys(expected)) assert.deepEqual(Buffer.from(all[name]), expected[name], name);
    });

    test('exports PNG files with the pixels of the desktop\'s', async () => {
      const rows = [...new Set([rowsOfType(flash.lines, '8A00')[0], rowsOfType(flash.lines, '0A00')[0],
        rowsOfType(flash.lines, '8800')[0], rowsOfType(flash.lines, '0100')[0]])].filter((row) => row !== undefined);
      assert.ok(rows.length >= 2);
      for (const row of rows) {
        await selectRow(page, row);
        const { name, bytes } = await exportPictures(page, 'png', false);
        const expected = cliExport(flash.path, 'png', String(row))[name];
        assert.deepEqual(pixelsOf(bytes), pixelsOf(expected), `picture ${row}`);
      }
    });

    test('stages dropped pictures at their rows\' depth and saves the patch pictavo-cli patch writes', async () => {
      const [first, second, third] = rowsOfType(flash.lines, '8800');
      const files = { png: pngWithAlpha, bmp: bmp24, jpg: jpeg };
      for (const [kind, bytes] of Object.entries(files)) writeFileSync(join(outputFolder, `${platform}.${kind}`), bytes);
      await dropFile(page, `[data-index="${first}"]`, 'a.png', pngWithAlpha);
      await selectRow(page, second);
      await page.setInputFiles('#replace-picture', join(outputFolder, `${platform}.bmp`));
      await ready(page);
      await dropFile(page, `[data-index="${third}"]`, 'c.jpg', jpeg);
      assert.deepEqual(await page.$$eval('.row.staged', (rows) => rows.map((row) => Number(row.dataset.index))),
        [first, second, third]);
      await screenshot(page, `${platform}-2-staged`);

      const expectedPath = join(outputFolder, `${platform}-cli.vkp`);
      run('pictavo-cli', ['patch', flash.path, expectedPath, '--depth', '16',
        '--replace', `${first}=${join(outputFolder, `${platform}.png`)}`,
        '--replace', `${second}=${join(outputFolder, `${platform}.bmp`)}`,
        '--replace', `${third}=${join(outputFolder, `${platform}.jpg`)}`]);
      const { bytes } = await downloadOf(page, () => page.click('#save-patch'));
      assert.deepEqual(bytes, readFileSync(expectedPath));
      assert.equal(await page.$$eval('.row.staged', (rows) => rows.length), 0);
      flash.patch = expectedPath;
    });

    test('verifies a patch as pictavo-cli verify, and says "Do not flash" when it was tampered with', async () => {
      await page.setInputFiles('#open-patch', flash.patch);
      await ready(page);
      const report = async () => `${await page.textContent('#verify-verdict')}\n${await page.textContent('#verify-details')}`;
      assert.equal(await report(), run('pictavo-cli', ['verify', flash.path, flash.patch]).trimEnd());

      const lines = readFileSync(flash.patch, 'latin1').split('\r\n');
      const data = lines.findIndex((line) => /^[0-9A-F]{8}: /.test(line));
      lines[data] = lines[data].replace(/: (.)/, (whole, digit) => `: ${digit === '0' ? '1' : '0'}`);
      const tampered = join(outputFolder, `${platform}-tampered.vkp`);
      writeFileSync(tampered, lines.join('\r\n'), 'latin1');
      await page.setInputFiles('#open-patch', tampered);
      await ready(page);
      assert.match(await page.textContent('#verify-verdict'), /^Do not flash/);
      assert.equal(await report(),
        run('pictavo-cli', ['verify', flash.path, tampered], { allowFailure: true }).trimEnd());
      await screenshot(page, `${platform}-3-verify`);
    });

    test('compares with a second fullflash: the rows pictavo-cli diff names, and B\'s pictures staged', async () => {
      const second = join(outputFolder, `${platform}-b.bin`);
      run('pictavo-cli', ['apply', flash.path, flash.patch, '-o', second]);
      // Loaded again: the patch written before has used free flash that a
      // second patch of the same session never takes again.
      await openFlash(page, flash.path);
      await page.setInputFiles('#open-second', second);
      await ready(page);
      const diff = run('pictavo-cli', ['diff', flash.path, second], { allowFailure: true }).split('\n')
        .filter((line) => /^\d{4} /.test(line) && !line.includes(' only in B:'))
        .map((line) => Number(line.slice(0, 4)));
      assert.ok(diff.length >= 2);
      assert.deepEqual(await page.$$eval('.row.differs', (rows) => rows.map((row) => Number(row.dataset.index))), diff);
      assert.equal(await page.isVisible('#side-b'), true);
      await screenshot(page, `${platform}-4-compare`);

      await page.click('#compare-stage');
      await ready(page);
      const expected = join(outputFolder, `${platform}-diff.vkp`);
      run('pictavo-cli', ['diff', flash.path, second, '--vkp', expected], { allowFailure: true });
      const { bytes } = await downloadOf(page, () => page.click('#save-patch'));
      assert.deepEqual(bytes, readFileSync(expected));
      await page.click('#compare-close');
      await ready(page);
      assert.equal(await page.$$eval('.row.differs', (rows) => rows.length), 0);
    });

    test('raised no error in the page', () => {
      assert.deepEqual(page.errors, []);
    });
  });
}

describe('bad input', () => {
  let page;
  let downloads = 0;
  before(async () => {
    page = await newPage(session);
    page.on('download', () => { downloads += 1; });
  });

  test('a file that is no fullflash, an empty one and one of 2 GiB give a message, and the page goes on', async () => {
    const cases = [
      { name: 'noise.bin', make: (path) => writeFileSync(path, Buffer.alloc(70000, 0x5a)), says: /No picture table/ },
      { name: 'empty.bin', make: (path) => writeFileSync(path, Buffer.alloc(0)), says: /No picture table/ },
      {
        name: 'huge.bin',
        make: (path) => { writeFileSync(path, ''); truncateSync(path, 2 ** 31); },
        says: /huge\.bin is 2048 MiB: this page opens files of at most 256 MiB/,
      },
    ];
    for (const { name, make, says } of cases) {
      const path = join(outputFolder, name);
      make(path);
      await openFlash(page, path);
      assert.match((await messages(page)).join('\n'), says, name);
    }
    await openFlash(page, flashes.newsgold.path);
    assert.equal((await listLines(page)).length, flashes.newsgold.lines.length);
  });

  test('a patch of another firmware is not to be flashed', async () => {
    await page.setInputFiles('#open-patch', flashes.sgold.patch);
    await ready(page);
    assert.match(await page.textContent('#verify-verdict'), /^(Do not flash|Cannot be read)/);
  });

  test('a picture over 240 x 320 and a corrupt PNG are refused with a message, staging nothing', async () => {
    const row = rowsOfType(flashes.newsgold.lines, '8800')[0];
    const large = encodePng({ width: 300, height: 400, data: new Uint8Array(300 * 400 * 4), channels: 4 });
    await dropFile(page, `[data-index="${row}"]`, 'large.png', large);
    assert.match((await messages(page)).join('\n'), /Picture too large \(at most 240 x 320\)!/);
    const corrupt = Buffer.from(pngWithAlpha);
    corrupt.fill(0x33, 60);
    await dropFile(page, `[data-index="${row}"]`, 'corrupt.png', corrupt);
    assert.match((await messages(page)).join('\n'), /corrupt\.png/);
    assert.equal(await page.$$eval('.row.staged', (rows) => rows.length), 0);
    assert.equal(await page.isDisabled('#save-patch'), true);
    assert.equal(downloads, 0);
    await screenshot(page, 'bad-input');
  });

  test('a discarded replacement leaves nothing to save', async () => {
    const row = rowsOfType(flashes.newsgold.lines, '8800')[0];
    await dropFile(page, `[data-index="${row}"]`, 'a.png', pngWithAlpha);
    assert.equal(await page.isEnabled('#save-patch'), true);
    await page.click('#discard');
    await ready(page);
    assert.equal(await page.$$eval('.row.staged', (rows) => rows.length), 0);
    assert.equal(await page.isDisabled('#save-patch'), true);
    assert.equal(downloads, 0);
  });
});

describe('in Russian', () => {
  test('the page speaks the language file\'s words', async () => {
    const page = await newPage(session);
    await page.selectOption('#language', 'Russian');
    await ready(page);
    const russian = readFileSync(join(sourceFolder, 'lang/Russian.lng'), 'utf8');
    const text = (key) => russian.match(new RegExp(`^${key}=(.*)\r$`, 'm'))[1];
    assert.equal(await page.textContent('#privacy'), text('str_WebPrivacy'));
    assert.equal(await page.textContent('#save-patch'), text('cap_mnSaPa'));
    await openFlash(page, flashes.newsgold.path);
    await selectRow(page, 3);
    await page.click('[data-zoom="4"]');
    await page.check('#checkerboard');
    await ready(page);
    await screenshot(page, 'russian-preview');
    await page.click('#tab-thumbnails');
    await page.waitForFunction(() => document.querySelectorAll('.tile canvas[width]:not([width="0"])').length > 10);
    await screenshot(page, 'russian-thumbnails');
    await page.close();
  });
});

test('no request left 127.0.0.1', () => {
  assert.deepEqual(session.offsite, []);
  assert.ok(session.requests.length > 0);
  for (const url of session.requests) assert.ok(url.startsWith('http://127.0.0.1:'), url);
});
