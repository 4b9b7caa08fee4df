// Headless Chromium for the web build's tests and benchmarks: the page
// served from the build folder, real mouse and keyboard input on its canvas,
// and a hook on the WebGL context that counts frames and keeps the pixels of
// the last one, from outside the program.
import puppeteer from 'puppeteer-core';
import { serve } from '../../web/serve.mjs';

// WebGL through ANGLE on Mesa's llvmpipe, the desktop's own renderer; no
// network traffic of the browser's own.
const chromiumArguments = [
  '--no-sandbox',
  '--use-angle=gl-egl',
  '--ignore-gpu-blocklist',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-quic',
  '--no-first-run',
];

// Runs in the page before any of its scripts. Every frame of the program
// starts by clearing the colour buffer: that is counted (a clear of a part,
// with the scissor test on, as the explorer clears its inset, is not), and
// right after the frame's drawing (before the browser shows it) its pixels
// are read back.
function webglHook() {
  const record = { frames: 0, firstFrameAt: null, capture: true, pixels: null, width: 0, height: 0 };
  window.webglFrames = record;
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, attributes) {
    const gl = getContext.call(this, type, attributes);
    if (gl && !gl.hooked && String(type).startsWith('webgl')) {
      gl.hooked = true;
      const clear = gl.clear.bind(gl);
      gl.clear = (mask) => {
        if (mask & gl.COLOR_BUFFER_BIT && !gl.isEnabled(gl.SCISSOR_TEST)) {
          record.frames += 1;
          if (record.firstFrameAt === null) record.firstFrameAt = performance.now();
          if (record.capture) {
            queueMicrotask(() => {
              const width = gl.drawingBufferWidth;
              const height = gl.drawingBufferHeight;
              const pixels = new Uint8Array(width * height * 4);
              gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
              Object.assign(record, { pixels, width, height });
            });
          }
        }
        return clear(mask);
      };
    }
    return gl;
  };
}

export async function startBrowser(folder) {
  const server = await serve(folder);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: chromiumArguments,
  });
  const url = `http://127.0.0.1:${server.address().port}/`;
  return {
    url,
    browser,
    async close() {
      await browser.close();
      server.close();
    },
  };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until `condition` holds (polled), or fails naming `what`.
export async function waitFor(condition, what, milliseconds = 10000) {
  const end = Date.now() + milliseconds;
  while (!(await condition())) {
    if (Date.now() > end) throw new Error(`timed out after ${milliseconds} ms waiting for ${what}`);
    await sleep(10);
  }
}

// A page of the web build, with its errors collected.
export class ProgramPage {
  // Opens `path` of the session's folder; `setUp`, if given, is done to the
  // new page before it loads (media features, say).
  static async open(session, path = '', setUp = null) {
    const page = await session.browser.newPage();
    if (setUp) await setUp(page);
    const errors = [];
    page.on('pageerror', (error) => errors.push(`page error: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') errors.push(`console error: ${message.text()}`);
    });
    await page.evaluateOnNewDocument(webglHook);
    await page.goto(session.url + path);
    const programPage = new ProgramPage(page, errors);
    await waitFor(async () => (await programPage.frames()) >= 1, 'the first frame');
    programPage.canvas = await page.$eval('#canvas', (c) => {
      const box = c.getBoundingClientRect();
      return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    });
    return programPage;
  }

  constructor(page, errors) {
    this.page = page;
    this.errors = errors;
  }

  frames() {
    return this.page.evaluate(() => window.webglFrames.frames);
  }

  // Waits for the frame count to reach `count`.
  async waitForFrames(count, what) {
    await waitFor(async () => (await this.frames()) >= count, what);
  }

  // Waits until no frame has come for `quiet` ms, and returns the count.
  async waitForStill(quiet = 400) {
    let last = await this.frames();
    for (let tries = 0; tries < 50; tries += 1) {
      await sleep(quiet);
      const now = await this.frames();
      if (now === last) return now;
      last = now;
    }
    throw new Error('the frames never stopped coming');
  }

  // The last frame's pixels as RGB rows, top row first, as the desktop's.
  async picture() {
    const { pixels, width, height } = await this.page.evaluate(() => {
      const r = window.webglFrames;
      return { pixels: Array.from(r.pixels), width: r.width, height: r.height };
    });
    const rgb = Buffer.alloc(width * height * 3);
    for (let row = 0; row < height; row += 1) {
      const from = (height - 1 - row) * width * 4;
      for (let x = 0; x < width; x += 1) {
        rgb[(row * width + x) * 3] = pixels[from + x * 4];
        rgb[(row * width + x) * 3 + 1] = pixels[from + x * 4 + 1];
        rgb[(row * width + x) * 3 + 2] = pixels[from + x * 4 + 2];
      }
    }
    return { rgb, width, height };
  }

  async moveToCanvas() {
    await this.page.mouse.move(this.canvas.x, this.canvas.y);
  }

  async click(button) {
    await this.moveToCanvas();
    await this.page.mouse.click(this.canvas.x, this.canvas.y, { button });
  }

  // Right clicks, each waited for until its frame has been drawn.
  async rightClicks(count) {
    for (let i = 0; i < count; i += 1) {
      const before = await this.frames();
      await this.click('right');
      await this.waitForFrames(before + 1, `the frame of right click ${i + 1}`);
    }
  }

  async key(key, shift = false) {
    if (shift) await this.page.keyboard.down('Shift');
    await this.page.keyboard.press(key);
    if (shift) await this.page.keyboard.up('Shift');
  }

  exitStatus() {
    return this.page.evaluate(() => window.programExitStatus);
  }

  statusText() {
    return this.page.$eval('#status', (p) => p.textContent);
  }

  close() {
    return this.page.close();
  }
}
