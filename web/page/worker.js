// The worker: the core in WebAssembly, and what the page asks of it. Requests
// run one after the other; each answer carries the core's answer and the files
// it made. The page's files are read where they are (WORKERFS), never copied
// into the worker whole, but for the fullflashes the core keeps in memory.
import createCore from 'pictavo-core';
import { decodePicture } from './decode.js';
import { encodePng, zipFiles } from './encode.js';

const kInput = '/in';
const kExportBatch = 100;

let core = null;

function call(name, ...args) {
  const types = args.map((arg) => (typeof arg === 'string' ? 'string' : 'number'));
  const answer = JSON.parse(core.ccall(name, 'string', types, args));
  // Paths inside the worker's file system mean nothing to the person: the file's name does.
  for (const message of answer.messages) message.text = message.text.replaceAll(`${kInput}/`, '');
  answer.fileBytes = answer.files.map((_, index) => {
    const data = core._pictavo_file_data(index);
    return core.HEAPU8.slice(data, data + core._pictavo_file_size(index));
  });
  return answer;
}

/// Runs `work` with `file` reachable at the path it is given, and only then.
async function withFile(file, work) {
  core.FS.mkdir(kInput);
  core.FS.mount(core.FS.filesystems.WORKERFS, { files: [file] }, kInput);
  try {
    return await work(`${kInput}/${file.name}`);
  } finally {
    core.FS.unmount(kInput);
    core.FS.rmdir(kInput);
  }
}

async function language(name) {
  const response = await fetch(new URL(`lang/${name}.lng`, import.meta.url));
  if (!response.ok) throw new Error(`lang/${name}.lng: ${response.status}`);
  const bytes = new Uint8Array(await response.arrayBuffer());
  const data = core._malloc(bytes.length);
  core.HEAPU8.set(bytes, data);
  try {
    return call('pictavo_language', name, data, bytes.length);
  } finally {
    core._free(data);
  }
}

async function stage(row, file) {
  return withFile(file, async (path) => {
    const first = call('pictavo_stage', row, path, 0);
    if (!first.wantsDecode) return first;
    const picture = await decodePicture(file);
    if (!picture) return { ...first, undecodable: file.name };
    const data = core._malloc(picture.rgba.length);
    core.HEAPU8.set(picture.rgba, data);
    core.ccall('pictavo_browser_picture', null, ['string', 'number', 'number', 'number'],
      [path, picture.width, picture.height, data]);
    core._free(data);
    return call('pictavo_stage', row, path, 1);
  });
}

/// The exported pictures of rows first .. last - 1, PNG encoded here.
function exportRows(kind, first, last) {
  const answer = call('pictavo_export', kind, first, last);
  const files = answer.pictures.map((picture, index) => ({
    name: picture.file,
    bytes: kind === 'png' ? encodePng(picture, answer.fileBytes[index]) : answer.fileBytes[index],
  }));
  return { answer, files };
}

async function exportPictures({ kind, first, last, zipName }) {
  if (!zipName) {
    const { answer, files } = exportRows(kind, first, last);
    return { ...answer, download: files[0] && { name: files[0].name, blob: new Blob([files[0].bytes]) } };
  }
  const all = [];
  let answer = null;
  for (let start = first; start < last; start += kExportBatch) {
    const batch = exportRows(kind, start, Math.min(start + kExportBatch, last));
    answer = batch.answer;
    all.push(...batch.files);
    if (!answer.completed) break;
  }
  const complete = answer === null || answer.completed;
  return { ...answer, download: complete && all.length > 0 ? { name: zipName, blob: zipFiles(all) } : null };
}

const requests = {
  language: ({ name }) => language(name),
  open: ({ file }) => withFile(file, (path) => call('pictavo_open', path)),
  close: () => call('pictavo_close'),
  select: ({ row }) => call('pictavo_select', row),
  view: ({ transparency, checkerboard }) => call('pictavo_view', transparency ? 1 : 0, checkerboard ? 1 : 0),
  thumbnails: ({ first, last }) => call('pictavo_thumbnails', first, last),
  export: exportPictures,
  stage: ({ row, file }) => stage(row, file),
  discard: ({ row }) => call('pictavo_discard', row),
  savePatch: ({ name }) => {
    const answer = call('pictavo_save_patch');
    const patch = answer.fileBytes[0];
    return { ...answer, download: patch && { name, blob: new Blob([patch], { type: 'text/plain' }) } };
  },
  verify: ({ file }) => withFile(file, (path) => call('pictavo_verify', path)),
  compare: ({ file }) => withFile(file, (path) => call('pictavo_compare', path)),
  compareStage: () => call('pictavo_compare_stage'),
  compareClose: () => call('pictavo_compare_close'),
};

/// What goes back to the page: the answer, its pixel files as ImageData
/// buffers moved rather than copied.
function reply(id, answer) {
  const transfer = (answer.fileBytes || []).map((bytes) => bytes.buffer);
  postMessage({ id, answer }, transfer);
}

export function startWorker() {
  let queue = Promise.resolve();
  const ready = createCore({
    locateFile: (name) => new URL(name, import.meta.url).href,
    onProgress: (percent) => postMessage({ progress: percent }),
  }).then((instance) => {
    core = instance;
  });
  self.onmessage = ({ data: { id, request, args } }) => {
    queue = queue.then(async () => {
      try {
        await ready;
        reply(id, await requests[request](args));
      } catch (error) {
        // The core cannot be trusted after an abort: the page starts a new worker.
        postMessage({ id, failed: String(error && error.message ? error.message : error) });
      }
    });
  };
}
