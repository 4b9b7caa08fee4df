// The explorer's web page in headless Chromium, driven with real mouse and
// keyboard events: its 3-D view and inset against the desktop explorer's,
// pixel for pixel; each control against the same value on the command line;
// a copied link against the picture it was copied from; the plots against
// the readouts; and no error on the page in any of it.
// Environment: BUILD_WEB, DESKTOP_PICTURES (explorer-PRESET-STEPS.rgb from
// desktop_explorer_pictures), DESKTOP_BUILD (for the desktop programs' words).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { ProgramPage, startBrowser, waitFor } from './browser.mjs';

let session;

before(async () => {
  session = await startBrowser(process.env.BUILD_WEB);
});

after(async () => {
  await session.close();
});

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function openExplorer(path = 'explorer.html', setUp = null) {
  const page = await ProgramPage.open(session, path, setUp);
  await page.page.waitForFunction(() => window.explorerShown !== undefined);
  return page;
}

async function finish(page) {
  assert.deepEqual(page.errors, [], 'errors on the page');
  await page.close();
}

// What the page shows now, once its readouts have caught up.
async function shown(page) {
  await sleep(250);
  return page.page.evaluate(() => window.explorerShown);
}

// The readouts' top left corner is text on the desktop and HTML on the page,
// and the desktop's flip strip at the lower left is a plot of its own on the
// page: both are left out.
const readoutWidth = 440;
const readoutHeight = 199;
const stripRight = 8 + 360;
const stripTop = 640 - 8 - 64;

// The page hands WebGL the very positions and colours the desktop's GL
// works out (bit for bit), and both are rasterised by llvmpipe; but the page
// draws through ANGLE into a framebuffer of its own, the other way up, and
// where the desktop's rasteriser is at a tie the page's may fall the other
// way: a colour that interpolates to within a rounding of half a level, or
// a line that crosses a row within a rounding of a pixel's edge. So every
// pixel must be the desktop's, except a few: one level off in one channel,
// or a line's pixel moved to its neighbour (the colour of each picture found
// beside it in the other). Anything else fails.
const fewestTies = 24;

function pixelAt(rgb, width, height, x, y) {
  if (x < 0 || y < 0 || x >= width || y >= height) return null;
  const i = (y * width + x) * 3;
  return [rgb[i], rgb[i + 1], rgb[i + 2]];
}

function foundBeside(colour, rgb, width, height, x, y) {
  for (let dy = -1; dy <= 1; dy += 1) {
    for (let dx = -1; dx <= 1; dx += 1) {
      const p = pixelAt(rgb, width, height, x + dx, y + dy);
      if (p && p[0] === colour[0] && p[1] === colour[1] && p[2] === colour[2]) return true;
    }
  }
  return false;
}

function assertSameView(web, desktop, what) {
  const { width, height } = web;
  assert.equal(width * height * 3, desktop.length, `${what}: picture size`);
  let differing = 0;
  let ties = 0;
  let first = null;
  for (let y = 0; y < height; y += 1) {
    for (let x = 0; x < width; x += 1) {
      if (x < readoutWidth && y < readoutHeight) continue;
      if (x < stripRight && y >= stripTop) continue;
      const w = pixelAt(web.rgb, width, height, x, y);
      const d = pixelAt(desktop, width, height, x, y);
      const gap = Math.abs(w[0] - d[0]) + Math.abs(w[1] - d[1]) + Math.abs(w[2] - d[2]);
      if (gap === 0) continue;
      if (gap === 1 || (foundBeside(w, desktop, width, height, x, y) &&
                        foundBeside(d, web.rgb, width, height, x, y))) {
        ties += 1;
        continue;
      }
      differing += 1;
      first ??= `pixel (${x}, ${y}): web ${w}, desktop ${d}`;
    }
  }
  assert.equal(differing, 0, `${what}: ${differing} pixels differ, first ${first}`);
  assert.ok(ties <= fewestTies, `${what}: ${ties} pixels differ at a tie`);
  return ties;
}

test('the 3-D view and the inset equal the desktop explorer\'s pixel for pixel but for a tie, on three presets after 0, 1 and 500 steps', async () => {
  const page = await openExplorer();
  await page.moveToCanvas();
  await page.key('x');
  let tiedPixels = 0;
  for (const preset of ['1', '2', '5']) {
    await page.key(preset);
    await page.waitForStill(200);
    let steps = 0;
    for (const target of [0, 1, 500]) {
      await page.rightClicks(target - steps);
      steps = target;
      await page.waitForStill(200);
      const state = await shown(page);
      assert.equal(state.steps, target, `steps on preset ${preset}`);
      const desktop = readFileSync(`${process.env.DESKTOP_PICTURES}/explorer-${preset}-${target}.rgb`);
      tiedPixels += assertSameView(await page.picture(), desktop, `preset ${preset} after ${target} steps`);
    }
  }
  console.log(`# nine pictures of 900 x 640: ${tiedPixels} pixels apart at a tie, none otherwise`);
  await finish(page);
});

// The desktop explorer's own words for a bad command line: its one line,
// without the program's name in front and the pointer to --help after.
function commandLineWords(...args) {
  const run = spawnSync(`${process.env.DESKTOP_BUILD}/spinning-box-explorer`, args, { encoding: 'utf8' });
  assert.equal(run.status, 2, `the desktop explorer refuses ${args.join(' ')}`);
  assert.equal(run.stdout, '');
  return run.stderr.trim().replace(/^spinning-box-explorer: /, '').replace(/ \(see --help\)$/, '');
}

// The trace tool's description of a start, name=value lines.
function describe(...args) {
  const run = spawnSync(`${process.env.DESKTOP_BUILD}/spinning-box-trace`, [...args, '--describe'], { encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  return Object.fromEntries(run.stdout.trim().split('\n').map((line) => line.split('=')));
}

async function typeInto(page, id, text) {
  await page.page.click(`#${id}`, { clickCount: 3 });
  await page.page.keyboard.press('Backspace');
  if (text) await page.page.type(`#${id}`, text);
}

test('each control sets what the same value on the command line sets, and a bad value changes nothing', async () => {
  const page = await openExplorer();
  await page.page.click('#stop');
  // The body and the spin: moments 3, 5, 7 spun as the trace tool's
  // conformance case; the period the readouts give is --describe's.
  await typeInto(page, 'sides', '');
  await typeInto(page, 'moments', '3,5,7');
  await typeInto(page, 'omega', '0,0.4,0.0014285714285714286');
  await typeInto(page, 'step', '0.02');
  await page.page.click('#apply');
  let state = await shown(page);
  const described = describe('--moments', '3,5,7', '--omega', '0,0.4,0.0014285714285714286');
  assert.deepEqual(state.moments, [3, 5, 7]);
  assert.equal(state.step, 0.02);
  assert.equal(state.steps, 0, 'applied: the motion starts afresh');
  assert.match(state.readouts, new RegExp(`period of omega: ${Number(described.omega_period).toPrecision(4)}`));
  assert.equal(await page.page.$eval('#error', (e) => e.textContent), '');

  // Bad values: refused for the command line's reason, in a person's words
  // (the field's name for the option's), the motion untouched.
  const person = (words) => words.replace(/^--moments:/, 'Moments:').replace(/^--omega:/, 'ω:')
    .replace(/^--step:/, 'Step:');
  for (const [field, value, option] of [
    ['moments', '3,5,9', '--moments'], ['omega', '1,2', '--omega'], ['step', '-0.5', '--step'],
    ['step', '5', '--step'],
  ]) {
    const before = await shown(page);
    await typeInto(page, field, value);
    await page.page.click('#apply');
    const error = await page.page.$eval('#error', (e) => e.textContent);
    if (field === 'step' && value === '5') {
      // Too large for this body and spin: a step that would do is offered,
      // and it does.
      commandLineWords('--moments', '3,5,7', '--omega', '0,0.4,0.0014285714285714286', option, value);
      const offer = error.match(/^Step: 5 is too large for this box and spin: try a step of ([0-9.e-]+) or less, or leave the step empty to have one chosen$/);
      assert.ok(offer, error);
      await typeInto(page, 'step', offer[1]);
      await page.page.click('#apply');
      assert.equal(await page.page.$eval('#error', (e) => e.textContent), '', `the offered step ${offer[1]}`);
      assert.equal((await shown(page)).step, Number(offer[1]));
    } else {
      assert.equal(error, person(commandLineWords(option, value)), `${field} ${value}`);
      const after = await shown(page);
      assert.deepEqual(after.moments, before.moments, `${field} ${value} kept the body`);
      assert.equal(after.step, before.step, `${field} ${value} kept the step`);
    }
    await typeInto(page, field, field === 'moments' ? '3,5,7' : (field === 'omega' ? '0,0.4,0.0014285714285714286' : '0.02'));
  }

  // Sides typed over moments: the sides, once the moments are cleared, and
  // both at once refused.
  await typeInto(page, 'sides', '1,2,3');
  await page.page.click('#apply');
  assert.match(await page.page.$eval('#error', (e) => e.textContent), /^Moments: '3,5,7' cannot go with/);
  await typeInto(page, 'moments', '');
  await page.page.click('#apply');
  assert.equal(await page.page.$eval('#error', (e) => e.textContent), '');
  state = await shown(page);
  assert.deepEqual(state.sides, [1, 2, 3]);
  assert.equal(state.moments, null);

  // The preset list.
  await page.page.select('#preset', '5');
  state = await shown(page);
  assert.match(state.readouts, /^a start close to the separatrix/);
  assert.deepEqual(state.sides, [1, 2, 4]);

  // The speed: the slider, by keyboard, doubles it as + does.
  await page.page.focus('#speed');
  await page.page.keyboard.press('ArrowRight');
  state = await shown(page);
  assert.equal(state.speed, 2);
  assert.match(state.readouts, /speed: 2 /);

  // Stop, one step, run; the outline off and on.
  await page.page.click('#stop');
  state = await shown(page);
  assert.equal(state.running, false);
  const steps = state.steps;
  await page.page.click('#one');
  state = await shown(page);
  assert.equal(state.steps, steps + 1);
  await page.page.click('#ghost');
  assert.equal((await shown(page)).ghost, false);
  await page.page.click('#ghost');
  assert.equal((await shown(page)).ghost, true);
  await page.page.click('#run');
  assert.equal((await shown(page)).running, true);
  await page.page.click('#reset');
  assert.ok((await shown(page)).t < 1, 'back to the start');
  await finish(page);
});

test('a link made by "Copy link", opened in a new page, gives the same picture', async () => {
  const page = await openExplorer();
  await page.moveToCanvas();
  await page.key('x');
  await page.key('5');
  await page.rightClicks(37);
  // The camera turned by a drag, and nearer by the wheel.
  await page.page.mouse.move(page.canvas.x, page.canvas.y);
  await page.page.mouse.down({ button: 'left' });
  await page.page.mouse.move(page.canvas.x + 60, page.canvas.y + 25, { steps: 5 });
  await page.page.mouse.up({ button: 'left' });
  await page.page.mouse.wheel({ deltaY: -100 });
  await page.waitForStill(200);
  await page.page.click('#copy');
  const link = await page.page.$eval('#link', (e) => e.value);
  assert.match(link, /steps=37/);
  const original = await page.picture();
  const copy = await openExplorer(link.replace(session.url, ''));
  await copy.waitForStill(200);
  const copied = await copy.picture();
  assert.deepEqual(copied.rgb, original.rgb, 'the same picture');
  assert.equal((await shown(copy)).steps, 37);
  await finish(copy);
  await finish(page);
});

// The integrator list: explicit Euler's box parts from the exact one and
// gains energy, the gyroscope-free engine step never moves omega; a link
// carries the choice to a new page; a name that is not one is refused.
test('the integrator list steps the box with the chosen method, and a link carries it', async () => {
  const page = await openExplorer();
  await page.page.click('#stop');
  const names = await page.page.$$eval('#integrator option', (all) => all.map((o) => o.value));
  assert.ok(names.includes('rk4') && names.includes('euler') && names.includes('engine-nogyro') &&
            names.includes('dmv') && names.includes('rkmk4'), names.join(' '));
  assert.equal(await page.page.$eval('#integrator', (e) => e.value), 'rk4');

  await page.page.select('#integrator', 'euler');
  await page.page.click('#stop');
  await page.page.click('#one');
  let state = await shown(page);
  assert.equal(state.integrator, 'euler');
  assert.equal(state.steps, 1, 'a new integrator starts from the start');
  assert.match(state.readouts, /integrator: euler/);
  // One explicit Euler step, written out: omega1 = omega0 + h omega'(omega0).
  const [a, b, c] = state.sides.map((s) => s * s);
  const [w1, w2, w3] = state.omega0;
  const h = state.step;
  const expected = [w1 + h * (c - b) / (c + b) * w2 * w3, w2 + h * (a - c) / (c + a) * w3 * w1,
                    w3 + h * (b - a) / (b + a) * w1 * w2];
  for (let i = 0; i < 3; i++) assert.ok(Math.abs(state.omega[i] - expected[i]) < 1e-15, `omega${i + 1}`);
  await page.page.evaluate(() => window.explorerApi.steps(999));
  state = await shown(page);
  assert.ok(state.drift2E > 1e-4, `explicit Euler gains energy: ${state.drift2E}`);
  assert.ok(state.attitudeError > 0.3, `and parts from the exact box: ${state.attitudeError} degrees`);

  await page.page.click('#copy');
  const link = await page.page.$eval('#link', (e) => e.value);
  assert.match(link, /integrator=euler/);
  const copy = await openExplorer(link.replace(session.url, ''));
  const copied = await shown(copy);
  assert.equal(copied.integrator, 'euler');
  assert.equal(copied.steps, 1000);
  assert.deepEqual(copied.omega, state.omega);
  assert.equal(await copy.page.$eval('#integrator', (e) => e.value), 'euler');
  await finish(copy);

  await page.page.select('#integrator', 'engine-nogyro');
  await page.page.evaluate(() => window.explorerApi.steps(500));
  state = await shown(page);
  assert.deepEqual(state.omega, state.omega0, 'without the gyroscopic term omega never moves');

  const refused = await openExplorer('explorer.html?integrator=verlet');
  assert.equal(await refused.page.$eval('#error', (e) => e.textContent),
               "Integrator: 'verlet' is not an integrator");
  assert.equal((await shown(refused)).integrator, 'rk4');
  await finish(refused);
  await finish(page);
});

// One state, shown the same everywhere: after a field and a button were
// used, a click on the picture gives it the keys (none reaches the field);
// the form follows what the keys did; and the address is the link, so that
// reopening it gives the same preset, speed, outline and step count.
test('the picture takes the keys after the form, the form and the address follow the keys', async () => {
  const page = await openExplorer();
  const omegaBefore = await page.page.$eval('#omega', (e) => e.value);
  await page.page.click('#omega');
  await page.page.click('#stop');
  // Using the form scrolled the page: find the picture where it is now.
  await page.page.$eval('#canvas', (e) => e.scrollIntoView({ block: 'center' }));
  const box = await (await page.page.$('#canvas')).boundingBox();
  page.canvas = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  await page.page.mouse.click(page.canvas.x, page.canvas.y);
  assert.equal(await page.page.evaluate(() => document.activeElement.id), 'canvas');
  for (const key of ['z', 'x', '3', '+', '+', 'g']) await page.key(key);
  await page.rightClicks(5);
  const s = await shown(page);
  assert.equal(s.preset, 3);
  assert.equal(s.speed, 4);
  assert.equal(s.ghost, false);
  assert.equal(s.running, false);
  assert.equal(s.steps, 5);
  await sleep(250);
  const form = await page.page.evaluate(() => ({
    omega: document.getElementById('omega').value,
    preset: document.getElementById('preset').value,
    speed: document.getElementById('speedShown').textContent,
    ghost: document.getElementById('ghost').checked,
  }));
  assert.equal(form.omega, s.omega0.join(','), 'the field shows the preset\'s spin, no key in it');
  assert.notEqual(form.omega, omegaBefore);
  assert.equal(form.preset, '3');
  assert.equal(form.speed, '4');
  assert.equal(form.ghost, false);

  const address = page.page.url();
  assert.equal(address, await page.page.$eval('#link', (e) => e.value), 'the address is the link');
  const params = new URL(address).searchParams;
  assert.equal(params.get('preset'), '3');
  assert.equal(params.get('speed'), '4');
  const history = await page.page.evaluate(() => window.history.length);
  assert.ok(history <= 2, `no history entry per frame: ${history}`);
  const copy = await openExplorer(address.replace(session.url, ''));
  const reopened = await shown(copy);
  assert.equal(reopened.preset, 3);
  assert.equal(reopened.name, s.name);
  assert.equal(reopened.speed, 4);
  assert.equal(reopened.ghost, false);
  assert.equal(reopened.steps, 5);
  assert.deepEqual(reopened.omega, s.omega);
  assert.equal(await copy.page.$eval('#preset', (e) => e.value), '3');
  await finish(copy);
  await finish(page);
});

// A phone can watch and press at once: at 360 x 740 the picture and the run
// buttons are both inside the first screen; at 1280 x 800 the plots start
// right under the picture, so that both are seen together.
test('the picture and the run buttons share the first screen of a phone; the plots sit under the picture', async () => {
  const page = await openExplorer();
  const boxes = async () => page.page.evaluate(() => {
    const box = (id) => {
      const r = document.getElementById(id).getBoundingClientRect();
      return { top: r.top + window.scrollY, bottom: r.bottom + window.scrollY, left: r.left, right: r.right };
    };
    return { canvas: box('canvas'), run: box('run'), one: box('one'), plots: box('plots') };
  });
  await page.page.setViewport({ width: 360, height: 740 });
  let b = await boxes();
  for (const id of ['canvas', 'run', 'one']) {
    assert.ok(b[id].bottom <= 740 && b[id].right <= 360, `${id} inside the phone's first screen: ${JSON.stringify(b[id])}`);
  }
  assert.ok(b.run.top >= b.canvas.bottom, 'the buttons under the picture');
  await page.page.setViewport({ width: 1280, height: 800 });
  b = await boxes();
  assert.ok(b.plots.top - b.canvas.bottom < 160, `the plots right under the picture: ${b.plots.top} against ${b.canvas.bottom}`);
  // Opened on a wide screen the inset is a quarter of the picture's side;
  // on a phone, half, with its box ticked.
  assert.equal((await shown(page)).bigInset, false);
  await finish(page);
  const phone = await openExplorer('explorer.html', (p) => p.setViewport({ width: 360, height: 740 }));
  assert.equal((await shown(phone)).bigInset, true, 'the larger inset on a phone');
  assert.equal(await phone.page.$eval('#bigInset', (e) => e.checked), true);
  await finish(phone);
});

test('the plots receive the values the readouts show', async () => {
  const page = await openExplorer();
  await page.moveToCanvas();
  await page.key('x');
  // From the start, 20 steps: t = 0.2, where the record takes a sample.
  await page.key('r');
  await page.rightClicks(20);
  const state = await shown(page);
  const last = await page.page.evaluate(() => {
    const o = window.explorerPlots.omega.data;
    const e = window.explorerPlots.error.data;
    const at = o[0].length - 1;
    return { t: o[0][at], omega: [o[1][at], o[2][at], o[3][at]], exact: [o[4][at], o[5][at], o[6][at]],
             drift2E: e[1][at], driftL2: e[2][at], attitudeError: e[3][at] };
  });
  assert.equal(last.t, state.t);
  assert.deepEqual(last.omega, state.omega);
  assert.deepEqual(last.exact, state.exact);
  assert.equal(last.attitudeError, Math.abs(state.attitudeError) || null);
  // The readouts print the same numbers.
  const text = await page.page.$eval('#readouts', (e) => e.textContent);
  assert.match(text, new RegExp(`t = ${state.t.toFixed(2)}`));
  assert.match(text, new RegExp(`drift of 2E: ${state.drift2E.toExponential(2).replace('+', '\\+')}`));
  assert.equal(last.drift2E, Math.abs(state.drift2E) || null);
  await finish(page);
});

test('a reader who asks for reduced motion gets the explorer stopped', async () => {
  const page = await openExplorer('explorer.html', (p) =>
    p.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]));
  const state = await shown(page);
  assert.equal(state.running, false);
  const frames = await page.waitForStill(300);
  await sleep(500);
  assert.equal(await page.frames(), frames, 'no frame comes by itself');
  await finish(page);
});

// What a button hands the browser to download: its name and its bytes.
async function downloadOf(page, button) {
  await page.page.evaluate(() => {
    window.downloaded = null;
    HTMLAnchorElement.prototype.click = function () {
      const name = this.download;
      window.downloaded = fetch(this.href).then((r) => r.arrayBuffer())
        .then((b) => ({ name, bytes: Array.from(new Uint8Array(b)) }));
    };
  });
  await page.page.click(`#${button}`);
  await page.page.waitForFunction(() => window.downloaded !== null);
  const got = await page.page.evaluate(() => window.downloaded);
  return { name: got.name, bytes: Buffer.from(got.bytes) };
}

// Explicit Euler drifts 2E and |L|^2 by different amounts, so that each curve must carry its
// own quantity: both are worked out here again from the plotted omega, with
// the 1 x 2 x 3 box's moments 13, 10, 5.
test('a link\'s speed is read; the plots and the CSV follow the motion\'s time, each column its own quantity', async () => {
  const page = await openExplorer('explorer.html?preset=2&integrator=euler&speed=16&run=1');
  let state = await shown(page);
  assert.equal(await page.page.$eval('#error', (e) => e.textContent), '');
  assert.equal(state.integrator, 'euler');
  assert.equal(state.speed, 16, 'the speed of the link');
  assert.equal(await page.page.$eval('#speedShown', (e) => e.textContent), '16');
  await sleep(2500);
  await page.page.click('#stop');
  state = await shown(page);
  assert.ok(state.t > 30, `t ${state.t}`);
  const [o, e] = await page.page.evaluate(() => [window.explorerPlots.omega.data, window.explorerPlots.error.data]);
  // Twenty points a time unit of the motion, the last 30 time units.
  const spacing = 0.05;
  for (let i = 1; i < o[0].length; i += 1) {
    assert.ok(Math.abs(o[0][i] - o[0][i - 1] - spacing) < 1e-9, `t ${o[0][i - 1]} to ${o[0][i]}`);
  }
  assert.ok(o[0].length >= 30 / spacing && o[0].length <= 30 / spacing + 2, `${o[0].length} points`);
  const moments = [13, 10, 5];
  const invariants = (w) => [0, 1, 2].reduce((sum, i) => [sum[0] + moments[i] * w[i] * w[i],
    sum[1] + moments[i] * moments[i] * w[i] * w[i]], [0, 0]);
  const start = invariants(state.omega0);
  let apart = 0;
  for (let i = 0; i < o[0].length; i += 1) {
    const now = invariants([o[1][i], o[2][i], o[3][i]]);
    const drift = [0, 1].map((k) => Math.abs((now[k] - start[k]) / start[k]));
    assert.ok(Math.abs(e[1][i] - drift[0]) <= 1e-9 * drift[0] + 1e-14, `2E at t ${o[0][i]}: ${e[1][i]} against ${drift[0]}`);
    assert.ok(Math.abs(e[2][i] - drift[1]) <= 1e-9 * drift[1] + 1e-14, `|L|^2 at t ${o[0][i]}: ${e[2][i]} against ${drift[1]}`);
    apart = Math.max(apart, Math.abs(drift[0] - drift[1]) / drift[1]);
  }
  // Far more apart than the checks above allow: a curve fed the other's
  // quantity would fail them.
  assert.ok(apart > 1e-6, `the two drifts are told apart: ${apart}`);

  // The CSV: the trace tool's column names, a row per sample from t = 0,
  // the same omega as the plot, and the drifts again from its own omega.
  const csv = await downloadOf(page, 'csv');
  assert.equal(csv.name, 'spinning-box-explorer.csv');
  const lines = csv.bytes.toString('utf8').trim().split('\n');
  const names = lines[0].split(',');
  assert.deepEqual(names.slice(0, 10), ['step', 't', 'omega1', 'omega2', 'omega3', 'exact_omega1',
    'exact_omega2', 'exact_omega3', 'energy_drift', 'momentum_drift']);
  const rows = lines.slice(1).map((line) => Object.fromEntries(line.split(',').map((v, i) => [names[i], Number(v)])));
  assert.equal(rows[0].t, 0);
  assert.ok(Math.abs(rows[rows.length - 1].t - o[0][o[0].length - 1]) < 1e-12, 'up to the last sample');
  assert.equal(rows.length, Math.round(rows[rows.length - 1].t / spacing) + 1);
  const plotted = new Map(o[0].map((t, i) => [t.toFixed(6), [o[1][i], o[2][i], o[3][i]]]));
  for (const row of rows) {
    assert.equal(row.step, Math.round(row.t / 0.01));
    const w = [row.omega1, row.omega2, row.omega3];
    const now = invariants(w);
    assert.ok(Math.abs(Math.abs(row.momentum_drift) - Math.abs((now[1] - start[1]) / start[1])) <= 1e-9 * Math.abs(row.momentum_drift) + 1e-15);
    assert.ok(Math.abs(Math.abs(row.energy_drift) - Math.abs((now[0] - start[0]) / start[0])) <= 1e-9 * Math.abs(row.energy_drift) + 1e-15);
    const p = plotted.get(row.t.toFixed(6));
    if (p) assert.deepEqual(w, p, `omega at t ${row.t}`);
    const q = [row.attitude_w, row.attitude_x, row.attitude_y, row.attitude_z];
    assert.ok(Math.abs(Math.hypot(...q) - 1) < 1e-6, 'a unit attitude');
  }

  // Save picture: a PNG of the picture as it is drawn.
  const png = await downloadOf(page, 'png');
  assert.equal(png.name, 'spinning-box-explorer.png');
  assert.deepEqual([...png.bytes.subarray(0, 8)], [137, 80, 78, 71, 13, 10, 26, 10]);
  assert.deepEqual([png.bytes.readUInt32BE(16), png.bytes.readUInt32BE(20)], [900, 640]);
  const decoded = await page.page.evaluate(async (bytes) => {
    const image = await createImageBitmap(new Blob([new Uint8Array(bytes)], { type: 'image/png' }));
    const c = document.createElement('canvas');
    c.width = image.width;
    c.height = image.height;
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    return Array.from(g.getImageData(0, 0, c.width, c.height).data);
  }, [...png.bytes]);
  const picture = await page.picture();
  let differing = 0;
  for (let i = 0; i < 900 * 640; i += 1) {
    for (let k = 0; k < 3; k += 1) if (decoded[i * 4 + k] !== picture.rgb[i * 3 + k]) differing += 1;
  }
  assert.equal(differing, 0, 'the saved picture is the drawn one');
  await finish(page);
});

test('on a touch screen a tap runs and stops the box, a pinch brings the camera nearer, the inset grows', async () => {
  const page = await openExplorer('explorer.html?preset=2&run=0');
  const client = await page.page.target().createCDPSession();
  await client.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 2 });
  const { x, y } = page.canvas;
  const touch = (type, points) => client.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  const tap = async () => {
    await touch('touchStart', [{ x, y, id: 0 }]);
    await touch('touchEnd', []);
  };
  assert.equal((await shown(page)).running, false);
  await tap();
  assert.equal((await shown(page)).running, true, 'a tap runs');
  await tap();
  assert.equal((await shown(page)).running, false, 'a second tap stops');
  const before = await shown(page);
  await touch('touchStart', [{ x: x - 50, y, id: 0 }, { x: x + 50, y, id: 1 }]);
  for (const reach of [70, 90, 100]) {
    await touch('touchMove', [{ x: x - 50, y, id: 0 }, { x: x + 50 + reach, y, id: 1 }]);
  }
  await touch('touchEnd', []);
  const after = await shown(page);
  assert.ok(Math.abs(after.distance - before.distance / 2) < 1e-9, `distance ${before.distance} to ${after.distance}`);
  assert.equal(after.running, false, 'a pinch is not a tap');
  // The inset, in the lower right corner: a quarter of the picture's
  // height, or half of it, measured along its bottom row of background.
  const insetWidth = async () => {
    await page.waitForStill(200);
    const { rgb, width, height } = await page.picture();
    const row = (height - 2) * width * 3;
    const corner = rgb.subarray(row + (width - 2) * 3, row + (width - 1) * 3);
    let px = width - 2;
    while (px > 0 && rgb.subarray(row + (px - 1) * 3, row + px * 3).equals(corner)) px -= 1;
    return width - px;
  };
  const small = await insetWidth();
  await page.page.click('#bigInset');
  const big = await insetWidth();
  assert.equal(small, 160);
  assert.equal(big, 320);
  await finish(page);
});

test('the sliders write the exact fields and start the motion from them', async () => {
  const page = await openExplorer('explorer.html?preset=2&run=0');
  await page.page.click('#sliders summary');
  // Side A doubled on its log scale (0.1 to 10): the field reads it, the
  // other sides stay as they were.
  await page.page.$eval('#sideA', (e) => { e.value = String(Math.log10(2)); e.dispatchEvent(new Event('change')); });
  let state = await shown(page);
  assert.equal(await page.page.$eval('#sides', (e) => e.value), '2,2,3');
  assert.deepEqual(state.sides, [2, 2, 3]);
  assert.equal(state.moments, null);
  // omega mostly about axis 3, a wobble of 1e-3 on the others.
  await page.page.select('#spinAxis', '2');
  await page.page.$eval('#wobble', (e) => { e.value = '-3'; e.dispatchEvent(new Event('change')); });
  state = await shown(page);
  assert.equal(await page.page.$eval('#omega', (e) => e.value), '0.001,0.001,1');
  assert.deepEqual(state.omega0, [0.001, 0.001, 1]);
  assert.equal(state.stepChosen, true);
  assert.equal(state.steps, 0);
  assert.equal(await page.page.$eval('#error', (e) => e.textContent), '');
  await finish(page);
});

test('a bad value in a link is refused in words on the page, and the rest of the link still applies', async () => {
  const page = await openExplorer('explorer.html?preset=3&yaw=abc&pitch=100&distance=0&steps=1e12&speed=4&ghost=2&run=0');
  const state = await shown(page);
  const words = (await page.page.$eval('#error', (e) => e.textContent)).split('\n');
  assert.deepEqual(words, [
    "Link: ghost '2' is not 0 or 1",
    "Link: yaw 'abc' is not a number",
    "Link: pitch '100' is outside -89 to 89",
    words[3],
    "Link: steps '1e12' is not a whole number",
  ]);
  // The nearest a camera may come keeps it outside the box.
  const [, nearest] = words[3].match(/^Link: distance '0' is outside ([\d.]+) to [\d.]+$/).map(Number);
  assert.ok(nearest > Math.hypot(...state.sides) / 2, `nearest ${nearest}`);
  assert.equal(state.preset, 3);
  assert.equal(state.speed, 4);
  assert.equal(state.running, false);
  assert.ok([state.yaw, state.pitch, state.distance].every(Number.isFinite));
  // The box is drawn, and the link passes on only good values.
  const { rgb } = await page.picture();
  let green = 0;
  for (let i = 0; i < rgb.length; i += 3) if (rgb[i + 1] > 120 && rgb[i] < 80 && rgb[i + 2] < 80) green += 1;
  assert.ok(green > 1000, `${green} green pixels`);
  const link = await page.page.$eval('#link', (e) => e.value);
  assert.doesNotMatch(link, /null|NaN|abc/);
  await finish(page);
  const other = await openExplorer('explorer.html?preset=9');
  assert.equal(await other.page.$eval('#error', (e) => e.textContent), "Link: preset '9' is outside 1 to 6");
  assert.equal((await shown(other)).preset, 2, 'the default preset');
  await finish(other);
});

// The inset's sphere as a chooser: a click at its centre is the direction
// the inset's camera looks from, (3, 2.2, 4) / |(3, 2.2, 4)|, so L starts
// there, as large as it was; the 1 x 2 x 3 box's moments are 13, 10, 5.
test('a click on the inset\'s sphere starts the motion with L where it was clicked', async () => {
  const page = await openExplorer('explorer.html?preset=2&run=0');
  const before = await shown(page);
  const moments = [13, 10, 5];
  const momentum = (w) => w.map((x, i) => moments[i] * x);
  const size = (v) => Math.hypot(...v);
  const box = await (await page.page.$('#canvas')).boundingBox();
  const side = 160 * box.width / 900;
  await page.page.mouse.click(box.x + box.width - side / 2, box.y + box.height - side / 2);
  const after = await shown(page);
  assert.equal(after.steps, 0);
  assert.equal(after.preset, 0, 'a box of one\'s own');
  assert.match(after.readouts, /^L chosen on the sphere/);
  const l = momentum(after.omega0);
  assert.ok(Math.abs(size(l) - size(momentum(before.omega0))) < 1e-12 * size(l), '|L| kept');
  const eye = [3, 2.2, 4].map((x) => x / Math.hypot(3, 2.2, 4));
  const cosine = l.reduce((sum, x, i) => sum + x / size(l) * eye[i], 0);
  assert.ok(cosine > Math.cos(0.02), `L along the centre's direction: ${cosine}`);
  await finish(page);
});

test('the page explains what the picture shows in the words of the desktop explorer\'s --help', async () => {
  const page = await openExplorer();
  const help = spawnSync(`${process.env.DESKTOP_BUILD}/spinning-box-explorer`, ['--help'], { encoding: 'utf8' }).stdout;
  const paragraph = help.split('What you see:\n')[1].split('\n\n')[0].replace(/\n/g, ' ').trim();
  assert.match(paragraph, /polhode/);
  assert.equal(await page.page.$eval('#whatYouSee', (e) => e.textContent), paragraph);
  await finish(page);
});

// The flip of a 1 x 2 x 3 box integrated here, apart from the program:
// Euler's equations and q' = q (0, omega) / 2 together, by classical
// Runge-Kutta steps ten times finer than the page's. The attitude after
// `steps` of the page's step h.
function attitudeAfter(sides, omega0, h, steps) {
  const [a, b, c] = sides.map((s) => s * s);
  const I = [b + c, a + c, a + b];
  const rate = ([w1, w2, w3, q0, q1, q2, q3]) => [
    (I[1] - I[2]) / I[0] * w2 * w3, (I[2] - I[0]) / I[1] * w3 * w1, (I[0] - I[1]) / I[2] * w1 * w2,
    0.5 * (-q1 * w1 - q2 * w2 - q3 * w3), 0.5 * (q0 * w1 + q2 * w3 - q3 * w2),
    0.5 * (q0 * w2 - q1 * w3 + q3 * w1), 0.5 * (q0 * w3 + q1 * w2 - q2 * w1)];
  const plus = (y, s, k) => y.map((v, i) => v + s * k[i]);
  let y = [...omega0, 1, 0, 0, 0];
  const fine = h / 10;
  for (let n = 0; n < steps * 10; n += 1) {
    const k1 = rate(y);
    const k2 = rate(plus(y, fine / 2, k1));
    const k3 = rate(plus(y, fine / 2, k2));
    const k4 = rate(plus(y, fine, k3));
    y = y.map((v, i) => v + fine / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]));
  }
  const q = y.slice(3);
  const norm = Math.hypot(...q);
  return q.map((v) => v / norm);
}

// v turned by the unit quaternion q.
function turned([w, x, y, z], v) {
  const u = [x, y, z];
  const cross = (p, r) => [p[1] * r[2] - p[2] * r[1], p[2] * r[0] - p[0] * r[2], p[0] * r[1] - p[1] * r[0]];
  const c1 = cross(u, v);
  const c2 = cross(u, c1);
  return v.map((vi, i) => vi + 2 * w * c1[i] + 2 * c2[i]);
}

// The page's picture against the motion worked out here, not against the
// desktop: after 0 to 1600 steps of the flip, each face the camera sees
// squarely has its axis's hue (x red, y green, z blue), strong at the + end
// and pale at the - end, at nine points spread over the face where the
// written-out integration and the camera (30 degrees of field, at yaw,
// pitch and distance) put them. The middle axis's two faces take turns.
test('the page draws each face the camera sees in its own colour where a written-out integration puts it, through the flip', async () => {
  const page = await openExplorer('explorer.html?preset=2&run=0&ghost=0');
  const start = await shown(page);
  assert.deepEqual(start.sides, [1, 2, 3]);
  const middleEnds = new Set();
  let steps = 0;
  for (const target of [0, 400, 800, 1200, 1600]) {
    await page.page.evaluate((n) => window.explorerApi.steps(n), target - steps);
    steps = target;
    const s = await shown(page);
    assert.equal(s.steps, target);
    const q = attitudeAfter(start.sides, start.omega0, start.step, target);
    const picture = await page.picture();
    const { width, height } = picture;
    const yaw = s.yaw * Math.PI / 180;
    const pitch = s.pitch * Math.PI / 180;
    const eye = [s.distance * Math.cos(pitch) * Math.sin(yaw), s.distance * Math.sin(pitch),
                 s.distance * Math.cos(pitch) * Math.cos(yaw)];
    const f = eye.map((e) => -e / s.distance);
    const side = [-f[2], 0, f[0]].map((v) => v / Math.hypot(f[0], f[2]));
    const up = [side[1] * f[2] - side[2] * f[1], side[2] * f[0] - side[0] * f[2], side[0] * f[1] - side[1] * f[0]];
    const dot = (p, r) => p[0] * r[0] + p[1] * r[1] + p[2] * r[2];
    const spread = Math.tan(15 * Math.PI / 180);
    const pixelOf = (p) => {
      const d = p.map((v, i) => v - eye[i]);
      const x = dot(d, side) / dot(d, f) / (spread * width / height);
      const y = dot(d, up) / dot(d, f) / spread;
      return [Math.floor((x + 1) / 2 * width), Math.floor((1 - y) / 2 * height)];
    };
    let faces = 0;
    for (let axis = 0; axis < 3; axis += 1) {
      for (const end of [1, -1]) {
        const unit = (i) => turned(q, [0, 1, 2].map((j) => (j === i ? 1 : 0)));
        const normal = unit(axis).map((v) => v * end);
        const centre = normal.map((v) => v * start.sides[axis] / 2);
        const toEye = eye.map((e, i) => e - centre[i]);
        if (dot(normal, toEye) < 0.3 * Math.hypot(...toEye)) continue;
        const [j, k] = [(axis + 1) % 3, (axis + 2) % 3];
        const ej = unit(j).map((v) => v * start.sides[j] / 2);
        const ek = unit(k).map((v) => v * start.sides[k] / 2);
        let matching = 0;
        for (const a of [-0.5, 0, 0.5]) {
          for (const b of [-0.5, 0, 0.5]) {
            const [px, py] = pixelOf(centre.map((v, i) => v + a * ej[i] + b * ek[i]));
            const c = pixelAt(picture.rgb, width, height, px, py);
            const most = Math.max(...c);
            const least = Math.min(...c);
            const hue = c[axis] === most && most > least + 30;
            const pale = least > most / 2;
            if (hue && pale === (end === -1)) matching += 1;
          }
        }
        assert.ok(matching >= 7, `after ${target} steps, the ${end > 0 ? '+' : '-'}${'xyz'[axis]} face: ${matching} of 9 points`);
        faces += 1;
        if (axis === 1) middleEnds.add(end);
      }
    }
    assert.ok(faces >= 1, `after ${target} steps no face was seen squarely`);
  }
  assert.equal(middleEnds.size, 2, 'the camera saw both of the middle axis\'s faces: the flip');
  await finish(page);
});
