// Prints what the phone community's VKP parser (@sie-js/vkp) makes of every
// *.vkp file in a folder, one JSON line per file in name order:
//   {"case":NAME,"writes":[[LINE,ADDRESS,OLD,NEW],...],"errors":[LINE,...]}
// ADDRESS is 8 upper-case hex digits or "outside" (below 0 or past 32 bits),
// OLD and NEW upper-case hex, OLD null when the record has none. A write that
// drew an error of its own (old data shorter than new, a placeholder in the
// new data) is left out: the parser lists it but calls the patch invalid.
// Usage: node judge.mjs NODE_MODULES_FOLDER CASES_FOLDER
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [modules, folder] = process.argv.slice(2);
const entry = path.join(modules, '@sie-js', 'vkp', 'dist', 'src', 'index.js');
const { vkpNormalize, vkpParse } = await import(pathToFileURL(entry).href);

const hex = (bytes) => Buffer.from(bytes).toString('hex').toUpperCase();
const before = (a, b) => a.line < b.line || (a.line === b.line && a.column <= b.column);
const ownErrors = /^(Old data \(\d+ bytes\) is less than new data|Found placeholder instead of real patch data)/;

for (const name of fs.readdirSync(folder).filter((n) => n.endsWith('.vkp')).sort()) {
  const { writes, errors } = vkpParse(vkpNormalize(fs.readFileSync(path.join(folder, name))));
  const refused = new Set();
  for (const e of errors.filter((e) => ownErrors.test(e.message))) {
    refused.add(writes.findLastIndex((w) => before(w.loc, e.loc)));
  }
  const kept = writes.filter((w, i) => !refused.has(i)).map((w) => [
    w.loc.line,
    w.addr >= 0 && w.addr <= 0xFFFFFFFF ? w.addr.toString(16).toUpperCase().padStart(8, '0') : 'outside',
    w.old ? hex(w.old) : null,
    hex(w.new),
  ]);
  const lines = [...new Set(errors.map((e) => e.loc.line))].sort((a, b) => a - b);
  console.log(JSON.stringify({ case: name, writes: kept, errors: lines }));
}
