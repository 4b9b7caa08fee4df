// A screenshot of the web page in headless Chromium, after 40 right-click
// steps so that the box is seen turning.
// Usage: node scripts/web-screenshot.mjs WEB_BUILD_DIR OUTPUT.png
import { ProgramPage, startBrowser } from '../tests/web/browser.mjs';

const [folder, output] = process.argv.slice(2);
const session = await startBrowser(folder);
const page = await ProgramPage.open(session);
await page.page.setViewport({ width: 460, height: 520 });
await page.rightClicks(40);
await page.waitForStill();
await page.page.screenshot({ path: output });
await session.close();
console.log(`Saved ${output} from the web page`);
