// The page's scale: the largest whole number of device pixels per game pixel
// that fits the browser window, never below one, at any device pixel ratio.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import test from 'node:test';

const source = readFileSync(new URL('../../web/page/page_scale.js', import.meta.url), 'utf8');
const { fitScale } = await import(`data:text/javascript,${encodeURIComponent(source)}`);

test('the largest whole scale that fits, at least 1', () => {
  const cases = [
    // CSS width, height, device pixel ratio -> device pixels per game pixel, CSS width
    [800, 600, 1, 1, 621],
    [621, 380, 1, 1, 621],
    [1400, 900, 1, 2, 1242],
    [1242, 759, 1, 1, 621], // the height decides
    [1400, 900, 2, 4, 1242],
    [1000, 700, 1.5, 2, 828],
    [300, 200, 1, 1, 621], // too small: still drawn whole
    [620, 379, 2, 1, 310.5],
  ];
  for (const [width, height, ratio, devicePixels, cssWidth] of cases) {
    const fit = fitScale(width, height, ratio, { width: 621, height: 380 });
    assert.deepEqual([fit.devicePixels, fit.cssWidth], [devicePixels, cssWidth],
      `${width} x ${height} at ${ratio}`);
    assert.equal(fit.cssHeight, (380 * devicePixels) / ratio);
  }
});
