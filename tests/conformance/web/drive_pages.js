// Drives every generated page in headless Chromium as a user would, against the manifest.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');

if (!fs.existsSync(path.join(__dirname, 'node_modules', 'playwright-core'))) {
  console.error('playwright-core is not installed in ' + __dirname + ': run make setup');
  process.exit(1);
}
const { chromium } = require(path.join(__dirname, 'node_modules', 'playwright-core'));

const folder = path.resolve(process.argv[2]);
const pages = JSON.parse(fs.readFileSync(path.join(folder, 'manifest.json'), 'utf8'));
const failures = [];
let compared = 0;

const fail = (page, text) => failures.push(page.file + ': ' + text);

// "RGB(1,2,3)" as the browser reports a background colour.
const cssColour = (text) => text.replace(/^RGB\((\d+),(\d+),(\d+)\)$/, 'rgb($1, $2, $3)');

function close(shown, expected, rounded) {
  if (!Number.isFinite(shown)) return false;
  if (rounded && Math.abs(expected) > 0.01) {
    // Rounded to 6 decimals by the page.
    return Math.abs(shown - expected) <= 5e-7 + 1e-12 * Math.abs(expected) &&
        Math.abs(shown * 1e6 - Math.round(shown * 1e6)) < 1e-3 * Math.max(1, Math.abs(shown));
  }
  return Math.abs(shown - expected) <= 1e-9 * Math.max(1, Math.abs(expected));
}

// The first case of a page is typed field by field as a user would; later cases are
// put into the fields at once, which keeps the suite fast.
async function typeValues(tab, values, typed = true) {
  if (!typed) return tab.evaluate((all) => all.forEach((v, i) => { document.datainput.elements['Input' + (i + 1)].value = v; }), values);
  for (let i = 0; i < values.length; i++) await tab.fill(`input[name="Input${i + 1}"]`, values[i]);
}

async function checkSafety(tab, page, dialogs) {
  const seen = await tab.evaluate((count) => {
    const label = (field) => field.closest('tr').cells[0].textContent;
    const names = Array.from({ length: count }, (_, i) => label(document.datainput.elements['Input' + (i + 1)]));
    return { pwned: typeof window.__pwned, scripts: document.scripts.length, images: document.images.length,
      names: names, output: label(document.datainput.prediction), forms: document.forms.length };
  }, page.names.length);
  // No script from the model ran, no markup of it became an element, every name shows as text.
  const want = { pwned: 'undefined', scripts: 1, images: 0, names: page.names, output: page.output, forms: 1 };
  if (JSON.stringify(seen) !== JSON.stringify(want)) fail(page, 'the page holds ' + JSON.stringify(seen));
  if (dialogs.length) fail(page, 'dialogs on load: ' + dialogs.join('|'));
}

async function checkColours(tab, page, warn) {
  const cells = page.names.flatMap((_, i) => [`min${i + 1}`, `max${i + 1}`]).concat(page.classifier ? [] : ['minOut', 'maxOut']);
  const shown = await tab.evaluate((ids) => ids.map((id) => document.getElementById(id).style.backgroundColor), cells);
  cells.forEach((id, k) => {
    const expected = cssColour(warn.includes(id) ? page.warning : page.normal);
    if (shown[k] !== expected) fail(page, `cell ${id} is ${shown[k]}, expected ${expected}`);
  });
}

async function checkInvalidNumber(tab, page, dialogs, value) {
  const last = page.names.length;
  const before = await tab.inputValue('input[name="prediction"]');
  await tab.fill(`input[name="Input${last}"]`, value);
  dialogs.length = 0;
  await tab.click('input[value="Predict"]');
  // The message, the focus on the field, and the prediction left as it was.
  const got = [dialogs.join('|'), await tab.evaluate(() => document.activeElement && document.activeElement.name),
    await tab.inputValue('input[name="prediction"]')];
  if (JSON.stringify(got) !== JSON.stringify(['Invalid number', 'Input' + last, before])) fail(page, `"${value}" gave ${JSON.stringify(got)}`);
  dialogs.length = 0;
}

async function checkClear(tab, page) {
  await tab.click('input[value="Clear"]');
  const state = await tab.evaluate((count) => ({
    values: Array.from({ length: count + 1 }, (_, i) => document.datainput.elements['Input' + (i + 1)].value),
    prediction: document.datainput.prediction.value,
  }), page.names.length);
  const expected = { values: page.names.map(() => '').concat(['1']), prediction: '?' };
  if (JSON.stringify(state) !== JSON.stringify(expected)) fail(page, 'Clear left ' + JSON.stringify(state));
}

async function casesPage(tab, page, dialogs) {
  const mars = page.kind === 'mars';
  let mostWarnings = null;
  for (const [k, c] of page.cases.entries()) {
    await typeValues(tab, c.values, k === 0 || (mars && k === 1));
    await tab.click('input[value="Predict"]');
    const shown = await tab.inputValue('input[name="prediction"]');
    compared++;
    if (page.classifier) {
      const strength = Number(await tab.inputValue('input[name="confidence"]'));
      if (Math.abs(c.raw) > 1e-9 && shown !== c.class) fail(page, `class ${shown}, expected ${c.class} for ${c.values}`);
      if (!(Math.abs(strength - c.strength) <= 0.005 + 1e-9) || Math.abs(strength * 100 - Math.round(strength * 100)) > 1e-6) {
        fail(page, `strength ${strength}, expected ${c.strength} for ${c.values}`);
      }
    } else if (!close(Number(shown), c.prediction, !mars) || (c.shown !== undefined && shown !== c.shown)) {
      fail(page, `prediction ${shown}, expected ${c.prediction} for ${JSON.stringify(c.values)}`);
    }
    for (const [i, v] of c.values.entries()) {
      const value = mars && (v === '' || v === 'n/a') && await tab.inputValue(`input[name="Input${i + 1}"]`);
      if (value !== false && value !== 'missing') fail(page, `missing field ${i + 1} shows "${value}"`);
    }
    if (!mars) await checkColours(tab, page, c.warn);
    if (dialogs.length) fail(page, 'dialogs: ' + dialogs.join('|'));
    dialogs.length = 0;
    if (!mars && (!mostWarnings || c.warn.length > mostWarnings.warn.length)) mostWarnings = c;
  }
  if (!mars || !page.allowMissing) {
    await typeValues(tab, (mars ? page.cases[0] : mostWarnings).values);
    if (!mars) await tab.click('input[value="Predict"]');
    await checkInvalidNumber(tab, page, dialogs, '');
  }
  if (!mars) await checkInvalidNumber(tab, page, dialogs, 'abc');
  await checkClear(tab, page);
  if (!mars) await checkColours(tab, page, []);
}

(async () => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kdk-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    const tab = await context.newPage();
    const dialogs = [];
    tab.on('dialog', async (dialog) => {
      dialogs.push(dialog.message());
      await dialog.accept();
    });
    tab.on('pageerror', (error) => failures.push('script error: ' + error.message));
    for (const page of pages) {
      dialogs.length = 0;
      await tab.goto('file://' + path.join(folder, page.file));
      await checkSafety(tab, page, dialogs);
      await casesPage(tab, page, dialogs);
    }
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`${pages.length} pages, ${compared} predictions compared`);
  if (failures.length) {
    console.error(failures.join('\n'));
    process.exit(1);
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
