// The page: what the person at the screen does, turned into requests to the
// worker, and the answers shown. `document.body.dataset.state` is "busy"
// while a load or command runs (page-side work included) and "ready" once it
// has finished.
import { Engine } from './engine.js';
import { PictureList } from './list.js';
import { Preview } from './preview.js';
import { Texts, shownText } from './texts.js';
import { ThumbnailGrid } from './thumbnails.js';

const kMiB = 1024 * 1024;
/// Larger than any fullflash of these phones, small enough for two of them
/// side by side in a tab.
const kLargestFlash = 256 * kMiB;
const kLargestOtherFile = 64 * kMiB;

const $ = (selector) => document.querySelector(selector);

export function startPage(moduleUrl) {
  const texts = new Texts();
  const state = { loaded: false, count: 0, selected: null, comparing: false, information: null, busy: 0 };

  const progress = $('#progress');
  const engine = new Engine(moduleUrl, {
    onProgress: (percent) => {
      progress.hidden = percent === null;
      if (percent !== null) progress.value = percent;
    },
    onStopped: (reason, restarted) => {
      console.warn('Pictavo: the core stopped:', reason);
      resetFlash();
      showMessages([{ text: texts.text('str_WebStopped', reason) || reason }]);
      if (restarted) setLanguage($('#language').value);
    },
  });

  const list = new PictureList($('#list'), $('#rows'), { onSelect: (row) => select(row), onKey: listKey });
  const grid = new ThumbnailGrid($('#thumbnails'), $('#tiles'), {
    fetchTiles: (first, last) => engine.request('thumbnails', { first, last }).catch(() => null),
    onSelect: (row) => select(row),
  });
  const preview = new Preview({
    canvasA: $('#picture-a'), captionA: $('#picture-info'),
    sideB: $('#side-b'), canvasB: $('#picture-b'), captionB: $('#picture-info-b'),
  });

  function setBusy(change) {
    state.busy += change;
    document.body.dataset.state = state.busy > 0 ? 'busy' : 'ready';
  }

  /// One load or command: the messages of the last one go, the new ones show.
  /// A command run inside another keeps the outer one's messages.
  async function command(work) {
    if (state.busy === 0) showMessages([]);
    setBusy(1);
    try {
      await work();
    } catch (error) {
      addMessages([{ text: String(error.message || error) }]);
    } finally {
      setBusy(-1);
    }
  }

  function showMessages(messages) {
    $('#messages').replaceChildren();
    addMessages(messages);
  }

  function addMessages(messages) {
    for (const { text, title } of messages) {
      const item = document.createElement('div');
      item.className = 'message';
      item.setAttribute('role', 'alert');
      const words = document.createElement('p');
      words.textContent = shownText((title ? `${title}: ` : '') + text);
      const close = document.createElement('button');
      close.type = 'button';
      close.textContent = texts.caption('Command2') || 'OK';
      close.addEventListener('click', () => item.remove());
      item.append(words, close);
      $('#messages').append(item);
    }
  }

  /// What every answer carries: messages, a report, staged rows, Save Patch.
  function take(answer) {
    addMessages(answer.messages);
    if (answer.report) showReport(answer.report);
    list.markStaged(answer.staged);
    grid.setStaged(answer.staged);
    $('#save-patch').disabled = !answer.canSavePatch;
    $('#discard').disabled = state.selected === null || !answer.staged.includes(state.selected);
    return answer;
  }

  function showReport(report) {
    const panel = $('#verify');
    panel.hidden = false;
    panel.className = report.tone;
    $('#verify-title').textContent = report.title;
    $('#verify-verdict').textContent = shownText(report.verdict);
    $('#verify-details').textContent = shownText(report.details);
  }

  function download({ name, blob }) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  function enableCommands() {
    for (const element of document.querySelectorAll('.needs-flash, .needs-flash input')) {
      if (element.tagName !== 'LABEL') element.disabled = !state.loaded;
    }
    for (const element of document.querySelectorAll('.needs-selection, .needs-selection input')) {
      if (element.tagName !== 'LABEL') element.disabled = state.selected === null;
    }
    $('#start').hidden = state.loaded;
  }

  function showInformation() {
    const info = $('#flash-info');
    info.replaceChildren();
    if (!state.information) return;
    const { model, firmware, languagePack, platform, manufacturer } = state.information;
    for (const [key, value] of [['str_mModel', model], ['str_firmW', firmware], ['str_lngPa', languagePack],
      ['str_platf', platform], ['str_manuf', manufacturer]]) {
      const term = document.createElement('dt');
      term.textContent = texts.text(key);
      const detail = document.createElement('dd');
      detail.textContent = value;
      info.append(term, detail);
    }
  }

  function showStatus() {
    $('#status').textContent = state.loaded ? `${texts.caption('StatusPictures')}: ${state.count}` : '';
  }

  function resetFlash() {
    Object.assign(state, { loaded: false, count: 0, selected: null, comparing: false, information: null });
    list.clear();
    grid.reset(0);
    preview.clear();
    showComparison(null);
    $('#verify').hidden = true;
    $('#save-patch').disabled = true;
    $('#discard').disabled = true;
    showInformation();
    showStatus();
    enableCommands();
  }

  function tooLarge(file, limit) {
    if (file.size <= limit) return false;
    showMessages([{ text: texts.text('str_WebTooLarge', file.name, Math.ceil(file.size / kMiB), limit / kMiB) }]);
    return true;
  }

  async function nextFrame() {
    await new Promise((resolve) => requestAnimationFrame(() => resolve()));
  }

  function openFlash(file) {
    performance.clearMarks();
    performance.mark('flash-chosen');
    if (tooLarge(file, kLargestFlash)) return;
    command(async () => {
      const answer = await engine.request('open', { file });
      if (answer.loaded) {
        resetFlash();
        const rows = answer.rows;
        list.show(rows);
        state.loaded = true;
        state.count = list.count;
        state.information = answer.information;
        grid.reset(state.count);
        showInformation();
        showStatus();
        enableCommands();
        if (state.count === 0) addMessages([{ text: `${texts.caption('StatusNoTable')}: ${file.name}` }]);
      }
      take(answer);
      await nextFrame();
      performance.mark('list-shown');
    });
  }

  async function select(row) {
    if (!state.loaded || row < 0 || row >= state.count) return;
    state.selected = row;
    list.select(row);
    grid.select(row);
    enableCommands();
    await command(async () => {
      const answer = take(await engine.request('select', { row }));
      preview.show(answer);
    });
  }

  function listKey(event) {
    if (state.selected === null && state.count > 0) {
      if (['ArrowDown', 'ArrowUp', 'Home', 'End', 'PageUp', 'PageDown'].includes(event.key)) select(0);
      return;
    }
    const page = Math.max(1, Math.floor($('#list').clientHeight / 22) - 1);
    const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page, Home: -Infinity, End: Infinity };
    if (!(event.key in moves)) return;
    event.preventDefault();
    select(Math.min(state.count - 1, Math.max(0, state.selected + moves[event.key])));
  }

  function stage(row, file) {
    if (tooLarge(file, kLargestOtherFile)) return;
    command(async () => {
      const answer = await engine.request('stage', { row, file });
      take(answer);
      if (answer.undecodable) addMessages([{ text: texts.text('str_WebUndecodable', answer.undecodable) }]);
      if (answer.staged.includes(row)) await select(row);
    });
  }

  function verify(file) {
    if (!state.loaded) {
      // A patch dropped before any fullflash: it can only be checked against one.
      showMessages([{ text: texts.text('str_WebStart') }]);
      return;
    }
    if (tooLarge(file, kLargestOtherFile)) return;
    command(async () => {
      take(await engine.request('verify', { file }));
    });
  }

  function showComparison(answer) {
    state.comparing = Boolean(answer && answer.comparing);
    $('#comparison').hidden = !state.comparing;
    $('#list').classList.toggle('only-differing', state.comparing && $('#compare-only').checked);
    const differences = state.comparing ? answer.differences : null;
    list.markDifferences(differences);
    grid.setDifferences(differences ? differences.map(({ row }) => row) : []);
    if (state.comparing) $('#comparison-bar').textContent = answer.bar;
  }

  function compare(file) {
    if (!state.loaded || tooLarge(file, kLargestFlash)) return;
    command(async () => {
      const answer = take(await engine.request('compare', { file }));
      if (answer.comparing) showComparison(answer);
      if (answer.selected >= 0) await select(answer.selected);
    });
  }

  function exportPictures(kind, all) {
    if (!state.loaded || (!all && state.selected === null)) return;
    const first = all ? 0 : state.selected;
    const last = all ? state.count : state.selected + 1;
    const model = (state.information.model || 'fullflash').replace(/[^\w.-]+/g, '_');
    command(async () => {
      const answer = take(await engine.request('export', { kind, first, last, zipName: all ? `${model}-${kind}.zip` : null }));
      if (answer.download) download(answer.download);
    });
  }

  function savePatch() {
    const { model, firmware } = state.information || {};
    const name = `GP_${model || ''}fw${firmware || ''}.vkp`.replace(/[^\w.-]+/g, '_');
    command(async () => {
      const answer = take(await engine.request('savePatch', { name }));
      if (answer.download) download(answer.download);
      // Writing the patch shows each staged picture; the preview goes back to the selected row.
      if (state.selected !== null) await select(state.selected);
    });
  }

  async function setLanguage(name) {
    localStorage.setItem('pictavo-language', name);
    $('#language').value = name;
    document.documentElement.lang = name === 'Russian' ? 'ru' : 'en';
    await command(async () => {
      const answer = await engine.request('language', { name });
      texts.set(answer);
      texts.apply(document);
      showInformation();
      showStatus();
    });
  }

  /// A file for an input: taken, and the input emptied so the same file can be chosen again.
  function onFile(selector, use) {
    $(selector).addEventListener('change', (event) => {
      const [file] = event.target.files;
      event.target.value = '';
      if (file) use(file);
    });
  }

  onFile('#open-fullflash', openFlash);
  onFile('#open-second', compare);
  onFile('#open-patch', verify);
  onFile('#replace-picture', (file) => {
    if (state.selected !== null) stage(state.selected, file);
  });
  $('#save-patch').addEventListener('click', savePatch);
  $('#discard').addEventListener('click', () => {
    if (state.selected === null) return;
    const row = state.selected;
    command(async () => {
      take(await engine.request('discard', { row }));
      await select(row);
    });
  });
  document.addEventListener('click', (event) => {
    if (!event.target.closest('#export-menu')) $('#export-menu').open = false;
  });
  for (const button of document.querySelectorAll('[data-export]')) {
    button.addEventListener('click', () => {
      $('#export-menu').open = false;
      exportPictures(button.dataset.export, button.dataset.all !== undefined);
    });
  }
  $('#compare-stage').addEventListener('click', () => command(async () => {
    take(await engine.request('compareStage'));
    if (state.selected !== null) await select(state.selected);
  }));
  $('#compare-close').addEventListener('click', () => command(async () => {
    showComparison(take(await engine.request('compareClose')));
    if (state.selected !== null) await select(state.selected);
  }));
  $('#compare-only').addEventListener('change', () => {
    $('#list').classList.toggle('only-differing', state.comparing && $('#compare-only').checked);
  });
  for (const button of document.querySelectorAll('[data-zoom]')) {
    button.addEventListener('click', () => {
      for (const other of document.querySelectorAll('[data-zoom]')) other.setAttribute('aria-pressed', String(other === button));
      preview.setZoom(button.dataset.zoom);
    });
  }
  const viewChanged = () => command(async () => {
    const answer = take(await engine.request('view', {
      transparency: $('#transparency').checked, checkerboard: $('#checkerboard').checked,
    }));
    if (state.selected !== null) preview.show(answer);
  });
  $('#transparency').addEventListener('change', viewChanged);
  $('#checkerboard').addEventListener('change', viewChanged);
  const showTab = (thumbnails) => {
    $('#tab-list').setAttribute('aria-selected', String(!thumbnails));
    $('#tab-thumbnails').setAttribute('aria-selected', String(thumbnails));
    $('#list').hidden = thumbnails;
    $('#thumbnails').hidden = !thumbnails;
    if (thumbnails) {
      performance.mark('thumbnails-chosen');
      grid.markScreenShown = true;
      grid.render();
    }
  };
  $('#tab-list').addEventListener('click', () => showTab(false));
  $('#tab-thumbnails').addEventListener('click', () => showTab(true));
  $('#language').addEventListener('change', (event) => setLanguage(event.target.value));

  // Drops: a fullflash anywhere opens it, a patch is verified, a picture on
  // a row replaces that row's picture.
  let dragDepth = 0;
  document.addEventListener('dragenter', () => {
    dragDepth += 1;
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', () => {
    dragDepth = Math.max(0, dragDepth - 1);
    if (dragDepth === 0) document.body.classList.remove('dragging');
  });
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    for (const row of document.querySelectorAll('.drop-target')) row.classList.remove('drop-target');
    event.target.closest?.('[data-index]')?.classList.add('drop-target');
  });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    dragDepth = 0;
    document.body.classList.remove('dragging');
    for (const row of document.querySelectorAll('.drop-target')) row.classList.remove('drop-target');
    const [file] = event.dataTransfer.files;
    if (!file) return;
    const row = event.target.closest?.('[data-index], [data-tile]');
    if (/\.vkp$/i.test(file.name)) verify(file);
    else if (row && state.loaded) stage(Number(row.dataset.index ?? row.dataset.tile), file);
    else if (state.loaded && /\.(png|bmp|gif|jpe?g|gpf2?)$/i.test(file.name)) showMessages([{ text: texts.text('str_WebDropRow') }]);
    else openFlash(file);
  });

  resetFlash();
  const saved = localStorage.getItem('pictavo-language');
  setLanguage(saved || (navigator.language.startsWith('ru') ? 'Russian' : 'English'))
    .then(() => performance.mark('page-ready'));
}
