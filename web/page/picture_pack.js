// The game's pictures, fetched in one request as a pack made by the build
// (tools/web/pack-pictures.py): the length of an index, the index in JSON
// (each picture's name, type and length), then the pictures one after
// another. Each is decoded off the page's thread into an ImageBitmap.

export async function loadPicturePack(url) {
  const response = await fetch(url);
  if (!response.ok) {
    throw new Error(`${url}: ${response.status}`);
  }
  const bytes = new Uint8Array(await response.arrayBuffer());
  const indexLength = new DataView(bytes.buffer).getUint32(0, true);
  const index = JSON.parse(new TextDecoder().decode(bytes.subarray(4, 4 + indexLength)));
  let offset = 4 + indexLength;
  const decoded = index.map(({ type, length }) => {
    const blob = new Blob([bytes.subarray(offset, offset + length)], { type });
    offset += length;
    return createImageBitmap(blob);
  });
  const images = await Promise.all(decoded);
  return new Map(index.map(({ name }, n) => [name, images[n]]));
}
