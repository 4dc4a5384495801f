// The workbench in a real browser: starts `vtlhost serve --port 0`, opens the page in Debian's Chromium,
// opens the sample macro EndPlate from the start list, types a new plate thickness into its field, presses
// Enter and waits until the journal beside the screen shows the update; then stops the server with SIGTERM,
// which must end it cleanly.
//
//   node workbench.mjs <vtlhost> [<chromium>]
//
// Exits 77 (skipped, with the reason) when Chromium or playwright-core is not installed.
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';

const SKIPPED = 77;
const [vtlhost, chromiumPath = '/usr/bin/chromium'] = process.argv.slice(2);
const kMacroDialog = 8131;
const kPlateThickness = 33001;
const kJournalLine = 'UpdateModule(Plate, 0, ) -> true';

function skip(reason) {
  console.log(`SKIPPED: ${reason}`);
  process.exit(SKIPPED);
}

if (!vtlhost || !existsSync(vtlhost)) {
  console.error('usage: node workbench.mjs <vtlhost> [<chromium>]');
  process.exit(2);
}
if (!existsSync(chromiumPath)) skip(`Chromium is not installed at ${chromiumPath} (scripts/setup installs it)`);
let chromium;
try {
  ({ chromium } = await import('playwright-core'));
} catch {
  skip('playwright-core is not installed in tests/e2e/node_modules (scripts/setup installs it with npm)');
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// ---- The server ----------------------------------------------------------------------------------------

const server = spawn(vtlhost, ['serve', '--port', '0'], { stdio: ['ignore', 'pipe', 'pipe'] });
let serverOut = '';
let serverErr = '';
server.stdout.on('data', (d) => { serverOut += d; });
server.stderr.on('data', (d) => { serverErr += d; });
const serverEnded = new Promise((resolve) => server.on('exit', (code, signal) => resolve({ code, signal })));

let browser = null;
const watchdog = setTimeout(() => fail(new Error('the test did not finish within four minutes')), 240_000);

async function fail(error) {
  console.error(`FAILED: ${error.message}`);
  console.error(`--- vtlhost output\n${serverOut}\n--- vtlhost errors\n${serverErr}`);
  try { if (browser) await browser.close(); } catch { /* closing anyway */ }
  server.kill('SIGKILL');
  process.exit(1);
}

async function serverUrl() {
  for (let i = 0; i < 1200; i++) {
    const m = serverOut.match(/Workbench: (http:\/\/127\.0\.0\.1:\d+\/)/);
    if (m) return m[1];
    if (server.exitCode !== null) throw new Error(`vtlhost serve ended with ${server.exitCode} before it listened`);
    await sleep(100);
  }
  throw new Error('vtlhost serve printed no address within two minutes');
}

// The view the server publishes, read beside the browser to find where a control is on the screen.
async function waitForView(url, ok, what) {
  let version = 0;
  let last = null;
  const deadline = Date.now() + 60_000;
  while (Date.now() < deadline) {
    const answer = await fetch(`${url}frame.json?after=${version}`);
    last = await answer.json();
    version = last.version;
    if (ok(last)) return last;
  }
  throw new Error(`${what} did not happen; the last view: ${JSON.stringify(last).slice(0, 2000)}`);
}

function windowWith(view, template) {
  return view.tree?.windows?.find((w) => w.template === template && w.visible) ?? null;
}

function controlIn(win, id) {
  for (const c of win.children ?? []) {
    if (!c.visible) continue;
    if (c.id === id) return c;
    const inner = controlIn(c, id);
    if (inner) return inner;
  }
  return null;
}

// ---- The person ----------------------------------------------------------------------------------------

try {
  const url = await serverUrl();
  browser = await chromium.launch({
    executablePath: chromiumPath,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--no-first-run'],
  });
  const page = await browser.newPage({ viewport: { width: 1600, height: 1000 } });
  page.on('pageerror', (e) => console.error(`page error: ${e.message}`));
  await page.goto(url);

  // The start list opens the macro on its sample data.
  await page.locator('button[data-name="macro-EndPlate"]').click();
  const view = await waitForView(url, (v) => {
    const w = windowWith(v, kMacroDialog);
    return w && controlIn(w, kPlateThickness)?.text === '15.00';
  }, 'the macro dialog with its plate thickness');
  // The page shows that frame (or a later one) before the person clicks on it.
  await page.waitForFunction((frame) => Number(document.getElementById('screen').dataset.frame) >= frame &&
                                        document.getElementById('screen').complete, view.frame);

  // Click the thickness field on the picture, select its text, type 18 and press Enter.
  const field = controlIn(windowWith(view, kMacroDialog), kPlateThickness);
  const box = await page.locator('#screen').boundingBox();
  const scale = box.width / await page.locator('#screen').evaluate((img) => img.naturalWidth);
  const [left, top, right, bottom] = field.rect;
  await page.mouse.click(box.x + scale * (left + right) / 2, box.y + scale * (top + bottom) / 2);
  await page.keyboard.press('Home');
  await page.keyboard.press('Shift+End');
  await page.keyboard.type('18');
  await page.keyboard.press('Enter');

  // The journal beside the screen shows the update the Enter applied.
  await page.waitForFunction((line) => document.getElementById('journal').textContent.includes(line), kJournalLine,
                             { timeout: 60_000 });
  const after = await waitForView(url, (v) => {
    const w = windowWith(v, kMacroDialog);
    return w && controlIn(w, kPlateThickness)?.text === '18.00';
  }, 'the field showing 18.00');
  console.log(`the journal shows "${kJournalLine}"; the field shows 18.00 in frame ${after.frame}`);

  await browser.close();
  browser = null;
  server.kill('SIGTERM');
  const { code, signal } = await serverEnded;
  if (code !== 0) throw new Error(`vtlhost serve ended with ${code ?? signal} on SIGTERM`);
  if (!serverOut.includes('Workbench stopped')) throw new Error('vtlhost serve did not say it stopped');
  clearTimeout(watchdog);
  console.log('PASSED: the workbench in Chromium');
} catch (error) {
  await fail(error);
}
