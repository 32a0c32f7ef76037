// The thumbnail grid: only the tiles in view (and a screen's worth around
// them) exist; their pictures come from the worker in batches and are kept
// as small canvases, so scrolling back costs nothing.

const kTileWidth = 88;
const kTileHeight = 104;
const kTileSide = 72;

/// A picture's tile: enlarged by a whole factor while it fits, else made
/// smaller; on the checkerboard of the tile's background.
function tileCanvas(picture, bytes) {
  const canvas = document.createElement('canvas');
  if (picture.width === 0) return canvas;
  const source = new OffscreenCanvas(picture.width, picture.height);
  source.getContext('2d').putImageData(
    new ImageData(new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length), picture.width, picture.height), 0, 0);
  const factor = Math.min(kTileSide / picture.width, kTileSide / picture.height);
  const scale = factor >= 1 ? Math.floor(factor) : factor;
  canvas.width = Math.max(1, Math.round(picture.width * scale));
  canvas.height = Math.max(1, Math.round(picture.height * scale));
  const context = canvas.getContext('2d');
  context.imageSmoothingEnabled = scale < 1;
  context.drawImage(source, 0, 0, canvas.width, canvas.height);
  return canvas;
}

export class ThumbnailGrid {
  constructor(scroller, tilesElement, { fetchTiles, onSelect }) {
    this.scroller = scroller;
    this.tilesElement = tilesElement;
    this.fetchTiles = fetchTiles;
    this.count = 0;
    this.canvases = new Map();
    this.shown = new Map();
    this.asked = new Set();
    this.staged = new Set();
    this.differing = new Set();
    this.selected = null;
    this.generation = 0;
    /// Set when the grid is shown: the first screen of tiles is marked
    /// (performance mark "thumbnails-shown") once it is drawn.
    this.markScreenShown = false;
    scroller.addEventListener('scroll', () => this.render());
    new ResizeObserver(() => this.render()).observe(scroller);
    tilesElement.addEventListener('click', (event) => {
      const tile = event.target.closest('[data-tile]');
      if (tile) onSelect(Number(tile.dataset.tile));
    });
  }

  reset(count) {
    this.count = count;
    this.generation += 1;
    this.canvases.clear();
    this.asked.clear();
    this.staged.clear();
    this.differing.clear();
    this.selected = null;
    for (const tile of this.shown.values()) tile.remove();
    this.shown.clear();
    this.render();
  }

  /// The pictures of these rows changed (staged, discarded, written).
  invalidate(rows) {
    for (const row of rows) {
      this.canvases.delete(row);
      this.asked.delete(row);
      this.shown.get(row)?.remove();
      this.shown.delete(row);
    }
    this.render();
  }

  setStaged(indices) {
    const before = this.staged;
    this.staged = new Set(indices);
    const changed = [...before].filter((i) => !this.staged.has(i))
      .concat([...this.staged].filter((i) => !before.has(i)));
    this.invalidate(changed);
  }

  setDifferences(rows) {
    this.differing = new Set(rows);
    for (const [row, tile] of this.shown) tile.classList.toggle('differs', this.differing.has(row));
  }

  select(index) {
    this.shown.get(this.selected)?.removeAttribute('aria-selected');
    this.selected = index;
    this.shown.get(index)?.setAttribute('aria-selected', 'true');
    const columns = this.columns();
    const top = Math.floor(index / columns) * kTileHeight;
    if (top < this.scroller.scrollTop || top + kTileHeight > this.scroller.scrollTop + this.scroller.clientHeight) {
      this.scroller.scrollTop = top - kTileHeight;
    }
  }

  columns() {
    return Math.max(1, Math.floor(this.scroller.clientWidth / kTileWidth));
  }

  render() {
    if (this.scroller.hidden || this.scroller.clientHeight === 0) return;
    const columns = this.columns();
    this.tilesElement.style.height = `${Math.ceil(this.count / columns) * kTileHeight}px`;
    const firstLine = Math.max(0, Math.floor(this.scroller.scrollTop / kTileHeight) - 2);
    const lines = Math.ceil(this.scroller.clientHeight / kTileHeight) + 4;
    const first = firstLine * columns;
    const last = Math.min(this.count, (firstLine + lines) * columns);
    for (const [row, tile] of this.shown) {
      if (row < first || row >= last) {
        tile.remove();
        this.shown.delete(row);
      }
    }
    const missing = [];
    for (let row = first; row < last; row += 1) {
      const tile = this.shown.get(row) || this.makeTile(row);
      tile.style.transform = `translate(${(row % columns) * kTileWidth}px, ${Math.floor(row / columns) * kTileHeight}px)`;
      if (!this.canvases.has(row) && !this.asked.has(row)) missing.push(row);
    }
    if (missing.length > 0) this.ask(missing);
  }

  makeTile(row) {
    const tile = document.createElement('div');
    tile.className = 'tile';
    tile.dataset.tile = row;
    tile.classList.toggle('staged', this.staged.has(row));
    tile.classList.toggle('differs', this.differing.has(row));
    if (row === this.selected) tile.setAttribute('aria-selected', 'true');
    const label = document.createElement('span');
    label.textContent = String(row).padStart(4, '0');
    tile.append(this.canvases.get(row) || document.createElement('canvas'), label);
    this.tilesElement.append(tile);
    this.shown.set(row, tile);
    return tile;
  }

  /// Asks for the missing pictures in runs of neighbouring rows.
  async ask(rows) {
    for (const row of rows) this.asked.add(row);
    const generation = this.generation;
    const first = rows[0];
    const last = rows[rows.length - 1] + 1;
    const answer = await this.fetchTiles(first, last);
    if (!answer || generation !== this.generation) return;
    answer.tiles.forEach((picture, index) => {
      const row = Number(picture.file);
      if (!this.asked.has(row)) return;
      const canvas = tileCanvas(picture, answer.fileBytes[index]);
      this.canvases.set(row, canvas);
      this.shown.get(row)?.querySelector('canvas').replaceWith(canvas);
    });
    if (this.markScreenShown && [...this.shown.keys()].every((row) => this.canvases.has(row))) {
      this.markScreenShown = false;
      performance.mark('thumbnails-shown');
    }
  }
}
