// What the page writes itself: PNG files (fast-png) and ZIP files (fflate).
import { encode } from 'fast-png';
import { zipSync } from 'fflate';

/// A PNG of the pixels the core hands over: 3 channels without alpha, 4 with.
export function encodePng({ width, height, channels }, bytes) {
  return encode({ width, height, data: bytes, channels, depth: 8 });
}

/// One ZIP file of `files` ({name, bytes}); PNG data is compressed already
/// and is stored as it is.
export function zipFiles(files) {
  const entries = {};
  for (const { name, bytes } of files) {
    entries[name] = [bytes, { level: name.endsWith('.png') ? 0 : 6 }];
  }
  return new Blob([zipSync(entries)], { type: 'application/zip' });
}
