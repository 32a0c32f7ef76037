// The preview: the selected picture as the core paints it (transparency,
// checkerboard), and B's beside it while comparing, zoomed by whole factors
// or fitted into the frame.

function draw(canvas, picture, bytes) {
  canvas.width = picture.width;
  canvas.height = picture.height;
  if (picture.width === 0 || picture.height === 0) return;
  canvas.getContext('2d').putImageData(
    new ImageData(new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length), picture.width, picture.height), 0, 0);
}

export class Preview {
  constructor({ canvasA, captionA, sideB, canvasB, captionB }) {
    Object.assign(this, { canvasA, captionA, sideB, canvasB, captionB });
    this.zoom = 'fit';
    new ResizeObserver(() => this.layout()).observe(canvasA.parentElement);
  }

  /// The core's answer to select or view.
  show(answer) {
    const byName = new Map(answer.files.map((name, index) => [name, answer.fileBytes[index]]));
    draw(this.canvasA, answer.picture, byName.get('picture'));
    this.captionA.textContent = answer.information;
    this.sideB.hidden = answer.compared === undefined;
    if (answer.compared) {
      draw(this.canvasB, answer.compared, byName.get('compared'));
      this.captionB.textContent = answer.comparedInformation;
    }
    this.layout();
  }

  clear() {
    this.canvasA.width = 0;
    this.canvasA.height = 0;
    this.captionA.textContent = '';
    this.sideB.hidden = true;
  }

  setZoom(zoom) {
    this.zoom = zoom;
    this.layout();
  }

  layout() {
    for (const canvas of [this.canvasA, this.canvasB]) {
      const frame = canvas.parentElement;
      let factor = Number(this.zoom);
      if (this.zoom === 'fit') {
        factor = Math.min((frame.clientWidth - 8) / canvas.width, (frame.clientHeight - 8) / canvas.height);
        factor = factor >= 1 ? Math.floor(factor) : factor;
      }
      if (!Number.isFinite(factor) || factor <= 0) factor = 1;
      canvas.style.width = `${canvas.width * factor}px`;
      canvas.style.height = `${canvas.height * factor}px`;
    }
  }
}
