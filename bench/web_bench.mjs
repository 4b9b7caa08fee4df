// The web page against a page that only clears the same canvas, in one run
// of headless Chromium, alternated over several rounds: frames per second
// while animating (both paced by the browser's frame clock), and the time
// from navigation to the first frame. Also the size of the page's code,
// gzipped. Prints one line per measure, as the other benchmarks do.
// Usage: node bench/web_bench.mjs WEB_BUILD_DIR [ROUNDS] [SECONDS]
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { ProgramPage, startBrowser } from '../tests/web/browser.mjs';

const folder = process.argv[2];
const rounds = Number(process.argv[3] ?? 5);
const seconds = Number(process.argv[4] ?? 3);

async function measure(session, path) {
  const page = await ProgramPage.open(session, path);
  const firstFrameMs = await page.page.evaluate(() => {
    window.webglFrames.capture = false;
    return window.webglFrames.firstFrameAt;
  });
  await page.moveToCanvas();
  await page.key('z');
  await new Promise((resolve) => setTimeout(resolve, 500));
  const from = await page.frames();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const fps = ((await page.frames()) - from) / seconds;
  await page.close();
  return { fps, firstFrameMs };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

const session = await startBrowser(folder);
const ours = [];
const limit = [];
for (let round = 0; round < rounds; round += 1) {
  ours.push(await measure(session, ''));
  limit.push(await measure(session, 'baseline.html'));
}
await session.close();

for (const [name, key] of [['web-frames-per-second', 'fps'], ['web-first-frame-ms', 'firstFrameMs']]) {
  const a = median(ours.map((m) => m[key]));
  const b = median(limit.map((m) => m[key]));
  console.log(`${name} ours=${a.toFixed(2)} limit=${b.toFixed(2)} ratio=${(a / b).toFixed(3)}`);
}
const gzipped = ['index.js', 'index.wasm']
  .map((file) => gzipSync(readFileSync(`${folder}/${file}`), { level: 9 }).length)
  .reduce((a, b) => a + b, 0);
console.log(`web-gzipped-kb ours=${(gzipped / 1024).toFixed(1)}`);
