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

/// The frame's pixels as red, green, blue, alpha, or null for a frame not in
/// an RGB layout (a JPEG's YUV planes). RGB frames are copied as they are and
/// reordered here: asking copyTo for "RGBA" would take them through
/// premultiplied alpha and change half-transparent colours.
async function rgbaOf(image) {
  const width = image.displayWidth;
  const height = image.displayHeight;
  const order = { RGBA: [0, 1, 2, 3], RGBX: [0, 1, 2, -1], BGRA: [2, 1, 0, 3], BGRX: [2, 1, 0, -1] }[image.format];
  if (!order) return null;
  const rgba = new Uint8Array(width * height * 4);
  const raw = new Uint8Array(width * height * 4);
  await image.copyTo(raw, { layout: [{ offset: 0, stride: width * 4 }] });
  const [red, green, blue, alpha] = order;
  for (let i = 0; i < raw.length; i += 4) {
    rgba[i] = raw[i + red];
    rgba[i + 1] = raw[i + green];
    rgba[i + 2] = raw[i + blue];
    rgba[i + 3] = alpha < 0 ? 255 : raw[i + alpha];
  }
  return { width, height, rgba };
}

async function withImageDecoder(bytes, type) {
  const decoder = new ImageDecoder({
    data: bytes, type, premultiplyAlpha: 'none', colorSpaceConversion: 'none',
  });
  try {
    const { image } = await decoder.decode({ frameIndex: 0 });
    try {
      return await rgbaOf(image);
    } finally {
      image.close();
    }
  } finally {
    decoder.close();
  }
}

/// The canvas: exact for opaque pictures (a JPEG decodes to the colours the
/// window's reader gives), and where ImageDecoder is missing (a page served
/// over plain http from another host) the colours of half-transparent pixels
/// may be off by a little.
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
    const decoded = typeof ImageDecoder !== 'undefined' && (await ImageDecoder.isTypeSupported(type))
      ? await withImageDecoder(bytes, type) : null;
    return decoded || await withCanvas(bytes, type);
  } catch {
    return null;
  }
}
