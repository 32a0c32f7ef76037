// The picture list: one element per row, [data-index], whose seven cells hold
// the texts of a pictavo-cli list line. All rows are in the document, so every
// row can be reached and clicked; the browser lays out and paints only those
// in view (content-visibility), which keeps 2 501 rows quick to show and to
// scroll.

function escaped(text) {
  return text.replace(/&/g, '&amp;').replace(/</g, '&lt;');
}

export class PictureList {
  constructor(scroller, rowsElement, { onSelect, onKey }) {
    this.scroller = scroller;
    this.rowsElement = rowsElement;
    this.count = 0;
    this.selected = null;
    rowsElement.addEventListener('click', (event) => {
      const row = event.target.closest('[data-index]');
      if (row) onSelect(Number(row.dataset.index));
    });
    scroller.tabIndex = 0;
    scroller.addEventListener('keydown', (event) => onKey(event));
  }

  /// The core's list text: one row a line, cells separated by tabs.
  show(listText) {
    const lines = listText.split('\n');
    if (lines[lines.length - 1] === '') lines.pop();
    this.count = lines.length;
    this.selected = null;
    this.rowsElement.innerHTML = lines.map((line, index) =>
      `<div class="row" role="row" data-index="${index}">${line.split('\t')
        .map((cell) => `<span role="gridcell">${escaped(cell)}</span>`).join('')}</div>`).join('');
    this.scroller.scrollTop = 0;
  }

  clear() {
    this.show('');
  }

  row(index) {
    return this.rowsElement.children[index] || null;
  }

  select(index) {
    if (this.selected !== null) this.row(this.selected)?.removeAttribute('aria-selected');
    this.selected = index;
    const row = this.row(index);
    if (!row) return;
    row.setAttribute('aria-selected', 'true');
    const top = row.offsetTop - this.scroller.querySelector('.header').offsetHeight;
    const bottom = row.offsetTop + row.offsetHeight;
    if (top < this.scroller.scrollTop) this.scroller.scrollTop = top;
    else if (bottom > this.scroller.scrollTop + this.scroller.clientHeight) {
      this.scroller.scrollTop = bottom - this.scroller.clientHeight;
    }
  }

  /// Bold rows: those with a staged replacement.
  markStaged(indices) {
    const staged = new Set(indices);
    for (const row of this.rowsElement.querySelectorAll('.staged')) {
      if (!staged.has(Number(row.dataset.index))) row.classList.remove('staged');
    }
    for (const index of staged) this.row(index)?.classList.add('staged');
  }

  /// Rows that differ from B, each saying how; null ends the marks.
  markDifferences(differences) {
    for (const row of this.rowsElement.querySelectorAll('.differs')) {
      row.classList.remove('differs');
      delete row.dataset.difference;
    }
    for (const { row, kind } of differences || []) {
      const element = this.row(row);
      if (!element) continue;
      element.classList.add('differs');
      element.dataset.difference = kind;
    }
  }
}
