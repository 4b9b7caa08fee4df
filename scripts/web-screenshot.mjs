// Screenshots of the web pages in headless Chromium. The window program's
// page after 40 right-click steps, so that the box is seen turning; or the
// explorer's, the whole page at a screen WIDTH pixels wide, stopped on the
// flip after 1200 steps (t = 12), its plots drawn from the motion's record.
// Usage: node scripts/web-screenshot.mjs WEB_BUILD_DIR OUTPUT.png [explorer WIDTH]
import { ProgramPage, startBrowser } from '../tests/web/browser.mjs';

const [folder, output, which, width] = process.argv.slice(2);
const session = await startBrowser(folder);
if (which === 'explorer') {
  // Opened at that width, as a phone or a desktop opens it.
  const page = await ProgramPage.open(session, 'explorer.html?run=0',
    (p) => p.setViewport({ width: Number(width), height: 800 }));
  await page.page.waitForFunction(() => window.explorerShown !== undefined);
  // The plots take their points from the motion's own record.
  await page.page.evaluate(() => Module.explorerSteps(1200));
  await page.waitForStill();
  await new Promise((resolve) => setTimeout(resolve, 300));
  await page.page.screenshot({ path: output, fullPage: true });
} else {
  const page = await ProgramPage.open(session);
  await page.page.setViewport({ width: 460, height: 520 });
  await page.rightClicks(40);
  await page.waitForStill();
  await page.page.screenshot({ path: output });
}
await session.close();
console.log(`Saved ${output} from the web page`);
