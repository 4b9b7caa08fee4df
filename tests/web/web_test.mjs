// The web build in headless Chromium, driven with real mouse and keyboard
// events on its canvas: its pictures against the desktop program's, pixel
// for pixel, and its commands. Frames are counted through a hook on the
// WebGL context, from outside the program.
// Environment: BUILD_WEB (the web build's folder), DESKTOP_PICTURES (the
// desktop program's pictures, made in the same run by desktop_pictures).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { ProgramPage, startBrowser, waitFor } from './browser.mjs';

let session;

before(async () => {
  session = await startBrowser(process.env.BUILD_WEB);
});

after(async () => {
  await session.close();
});

const openPage = () => ProgramPage.open(session);

// No page may report an error or log one to the console.
async function finish(page) {
  assert.deepEqual(page.errors, [], 'errors on the page');
  await page.close();
}

function desktopPicture(name) {
  return readFileSync(`${process.env.DESKTOP_PICTURES}/${name}.rgb`);
}

function assertSamePicture(web, desktop, what) {
  assert.equal(web.width * web.height * 3, desktop.length, `${what}: picture size`);
  let differing = 0;
  let first = null;
  for (let i = 0; i < desktop.length; i += 3) {
    if (web.rgb[i] !== desktop[i] || web.rgb[i + 1] !== desktop[i + 1] || web.rgb[i + 2] !== desktop[i + 2]) {
      differing += 1;
      first ??= `pixel (${(i / 3) % web.width}, ${Math.floor(i / 3 / web.width)}): web ` +
        `${[...web.rgb.subarray(i, i + 3)]}, desktop ${[...desktop.subarray(i, i + 3)]}`;
    }
  }
  assert.equal(differing, 0, `${what}: ${differing} pixels differ, first ${first}`);
}

test('the first picture, and those after 1, 100 and 1000 right clicks, equal the desktop program\'s pixel for pixel', async () => {
  const page = await openPage();
  assert.equal(await page.waitForStill(), 1, 'the first frame is drawn unasked, and only it');
  assertSamePicture(await page.picture(), desktopPicture('first'), 'first picture');
  let done = 0;
  for (const target of [1, 100, 1000]) {
    await page.rightClicks(target - done);
    done = target;
    assert.equal(await page.waitForStill(), 1 + target, `frames after ${target} right clicks`);
    assertSamePicture(await page.picture(), desktopPicture(`after-${target}`), `after ${target} right clicks`);
  }
  await finish(page);
});

test('a held left button and "z" run the animation; release and "x" stop it, and the picture then stays', async () => {
  const page = await openPage();
  const commands = [
    { name: 'left button', start: () => page.page.mouse.down({ button: 'left' }), stop: () => page.page.mouse.up({ button: 'left' }) },
    { name: 'z and x', start: () => page.key('z'), stop: () => page.key('x') },
  ];
  for (const command of commands) {
    await page.moveToCanvas();
    const before = await page.frames();
    await command.start();
    await page.waitForFrames(before + 10, `frames while running (${command.name})`);
    await command.stop();
    const stopped = await page.waitForStill();
    const still = await page.picture();
    await new Promise((resolve) => setTimeout(resolve, 1000));
    assert.equal(await page.frames(), stopped, `no frame after stopping (${command.name})`);
    assert.deepEqual((await page.picture()).rgb, still.rgb, `the picture stays (${command.name})`);
  }
  await finish(page);
});

test('each right click draws exactly one new frame', async () => {
  const page = await openPage();
  for (let i = 1; i <= 10; i += 1) {
    const before = await page.waitForStill(200);
    await page.click('right');
    await page.waitForFrames(before + 1, `the frame of right click ${i}`);
    assert.equal(await page.waitForStill(300), before + 1, `right click ${i}`);
  }
  await finish(page);
});

test('other keys and buttons do nothing', async () => {
  const page = await openPage();
  const before = await page.waitForStill();
  for (const key of ['a', 'w', '1', 'Space', 'Enter', 'Tab', 'Backspace', 'Delete', 'ArrowUp', 'F1', 'Home', 'Comma']) {
    await page.key(key);
  }
  for (const key of ['z', 'x', 'a']) await page.key(key, true); // "Z", "X", "A"
  await page.click('middle');
  await page.moveToCanvas();
  await page.page.mouse.wheel({ deltaY: 100 });
  await page.page.mouse.wheel({ deltaY: -100 });
  assert.equal(await page.waitForStill(600), before, 'frames after other input');
  assert.equal(await page.exitStatus(), undefined, 'the program still runs');
  await finish(page);
});

test('Escape, "q" and "Q" each end the program with status 0, and no frame comes after', async () => {
  for (const [key, shift] of [['Escape', false], ['q', false], ['q', true]]) {
    const page = await openPage();
    const what = `${shift ? 'Shift+' : ''}${key}`;
    await page.moveToCanvas();
    await page.key('z');
    await page.waitForFrames(5, `frames while running, before ${what}`);
    await page.key(key, shift);
    await waitFor(async () => (await page.exitStatus()) !== undefined, `the exit after ${what}`);
    assert.equal(await page.exitStatus(), 0, `exit status after ${what}`);
    assert.match(await page.statusText(), /quit with status 0/, `the page says so after ${what}`);
    const last = await page.waitForStill(300);
    await page.click('right');
    await page.key('z');
    await new Promise((resolve) => setTimeout(resolve, 500));
    assert.equal(await page.frames(), last, `no frame after ${what}, even on input`);
    await finish(page);
  }
});
