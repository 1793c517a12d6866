// Reads the headless host's PNG pictures and the browser's screenshots: 8-bit
// RGB or RGBA, not interlaced, any row filter. Returns { width, height, rgb }
// with three bytes a pixel.
import fs from 'node:fs';
import zlib from 'node:zlib';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc)
    return a;
  return pb <= pc ? b : c;
}

export function readPng(file) {
  return decodePng(fs.readFileSync(file), file);
}

// The same from the bytes themselves; `file` names them in errors.
export function decodePng(data, file = 'the PNG data') {
  if (data.length < SIGNATURE.length || !data.subarray(0, 8).equals(SIGNATURE))
    throw new Error(`${file} is not a PNG file`);
  let width = 0;
  let height = 0;
  let channels = 0;
  const compressed = [];
  for (let at = 8; at + 8 <= data.length;) {
    const length = data.readUInt32BE(at);
    const type = data.toString('latin1', at + 4, at + 8);
    const body = data.subarray(at + 8, at + 8 + length);
    if (body.length !== length)
      throw new Error(`${file}: chunk ${type} is cut short`);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const [depth, colour, , , interlace] = body.subarray(8, 13);
      if (depth !== 8 || (colour !== 2 && colour !== 6) || interlace !== 0)
        throw new Error(`${file}: only 8-bit RGB or RGBA without interlacing is read`);
      channels = colour === 6 ? 4 : 3;
    } else if (type === 'IDAT') {
      compressed.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!channels || !width || !height)
    throw new Error(`${file}: no image header`);
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const stride = width * channels;
  if (raw.length < (stride + 1) * height)
    throw new Error(`${file}: the image data is cut short`);

  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = y * stride;
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? pixels[out + i - channels] : 0;
      const b = y > 0 ? pixels[out - stride + i] : 0;
      const c = i >= channels && y > 0 ? pixels[out - stride + i - channels] : 0;
      let value;
      switch (filter) {
      case 0: value = line[i]; break;
      case 1: value = line[i] + a; break;
      case 2: value = line[i] + b; break;
      case 3: value = line[i] + ((a + b) >> 1); break;
      case 4: value = line[i] + paeth(a, b, c); break;
      default: throw new Error(`${file}: unknown row filter ${filter}`);
      }
      pixels[out + i] = value & 0xff;
    }
  }
  const rgb = Buffer.alloc(width * height * 3);
  for (let p = 0; p < width * height; ++p)
    pixels.copy(rgb, p * 3, p * channels, p * channels + 3);
  return { width, height, rgb };
}
