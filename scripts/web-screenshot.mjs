// A screenshot of the web page in headless Chromium, after 40 right-click
// steps so that the box is seen turning.
// Usage: node scripts/web-screenshot.mjs WEB_BUILD_DIR OUTPUT.png
import { ProgramPage, startBrowser } from '../tests/web/browser.mjs';

const [folder, output] = process.argv.slice(2);
const session = await startBrowser(folder);
const page = await ProgramPage.open(session);
await page.page.setViewport({ width: 460, height: 520 });
for (let i = 0; i < 40; i += 1) {
  const before = await page.frames();
  await page.click('right');
  await page.waitForFrames(before + 1, `the frame of right click ${i + 1}`);
}
await page.waitForStill();
await page.page.screenshot({ path: output });
await session.close();
console.log(`Saved ${output} from the web page`);
