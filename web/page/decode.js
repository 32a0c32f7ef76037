// Outside pictures decoded by the browser for the core: red, green, blue and
// alpha as the file holds them (alpha not premultiplied, no colour
// management), which is how the window's picture reader sees them too.

const kTypes = [
  { type: 'image/png', signature: [0x89, 0x50, 0x4e, 0x47] },
  { type: 'image/gif', signature: [0x47, 0x49, 0x46] },
  { type: 'image/jpeg', signature: [0xff, 0xd8] },
  { type: 'image/bmp', signature: [0x42, 0x4d] },
];

function typeOf(bytes) {
  const found = kTypes.find(({ signature }) => signature.every((byte, i) => bytes[i] === byte));
  return found ? found.type : null;
}

async function withImageDecoder(bytes, type) {
  const decoder = new ImageDecoder({
    data: bytes, type, premultiplyAlpha: 'none', colorSpaceConversion: 'none',
  });
  try {
    const { image } = await decoder.decode({ frameIndex: 0 });
    const width = image.displayWidth;
    const height = image.displayHeight;
    const rgba = new Uint8Array(width * height * 4);
    await image.copyTo(rgba, { format: 'RGBA' });
    image.close();
    return { width, height, rgba };
  } finally {
    decoder.close();
  }
}

/// Where ImageDecoder is missing (pages served over plain http from another
/// host): a canvas, whose colours of half-transparent pixels may be off by
/// a little.
async function withCanvas(bytes, type) {
  const bitmap = await createImageBitmap(new Blob([bytes], { type }), {
    premultiplyAlpha: 'none', colorSpaceConversion: 'none',
  });
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context = canvas.getContext('2d');
  context.drawImage(bitmap, 0, 0);
  const { data } = context.getImageData(0, 0, bitmap.width, bitmap.height);
  return { width: bitmap.width, height: bitmap.height, rgba: new Uint8Array(data.buffer) };
}

/// The first picture of a PNG, GIF, JPEG or BMP file, or null when the
/// browser cannot decode it.
export async function decodePicture(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  const type = typeOf(bytes);
  if (!type) return null;
  try {
    if (typeof ImageDecoder !== 'undefined' && (await ImageDecoder.isTypeSupported(type))) {
      return await withImageDecoder(bytes, type);
    }
    return await withCanvas(bytes, type);
  } catch {
    return null;
  }
}
