// The web pages against a page that only clears a canvas of the same size,
// in one run of headless Chromium, alternated over several rounds: frames
// per second while animating (both paced by the browser's frame clock), and
// the time from navigation to the first frame; the window program's page
// and the explorer's. Also the size of each page's code, gzipped (the
// explorer's with its HTML and its plotting library). Prints one line per
// measure, as the other benchmarks do.
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
const pages = [
  { prefix: 'web', page: '', baseline: 'baseline.html' },
  { prefix: 'web-explorer', page: 'explorer.html', baseline: 'baseline.html?width=900&height=640' },
];
for (const p of pages) {
  p.ours = [];
  p.limit = [];
}
for (let round = 0; round < rounds; round += 1) {
  for (const p of pages) {
    p.ours.push(await measure(session, p.page));
    p.limit.push(await measure(session, p.baseline));
  }
}
await session.close();

for (const p of pages) {
  for (const [name, key] of [['frames-per-second', 'fps'], ['first-frame-ms', 'firstFrameMs']]) {
    const a = median(p.ours.map((m) => m[key]));
    const b = median(p.limit.map((m) => m[key]));
    console.log(`${p.prefix}-${name} ours=${a.toFixed(2)} limit=${b.toFixed(2)} ratio=${(a / b).toFixed(3)}`);
  }
}
const gzippedKb = (files) => files
  .map((file) => gzipSync(readFileSync(`${folder}/${file}`), { level: 9 }).length)
  .reduce((a, b) => a + b, 0) / 1024;
console.log(`web-gzipped-kb ours=${gzippedKb(['index.js', 'index.wasm']).toFixed(1)}`);
const explorerFiles = ['explorer.js', 'explorer.wasm', 'explorer.html', 'uPlot.iife.min.js', 'uPlot.min.css'];
console.log(`web-explorer-gzipped-kb ours=${gzippedKb(explorerFiles).toFixed(1)}`);
