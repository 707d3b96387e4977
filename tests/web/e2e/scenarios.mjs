// Drives a running web program in headless Chromium.
// Usage: node scenarios.mjs <scenario> <start url> <expectations.json>
// Exit code 0 when the scenario holds; otherwise the failure is printed and the code is 1.
import { chromium } from 'playwright-core';
import { readFileSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [scenarioName, startUrl, expectationsFile] = process.argv.slice(2);
const expected = JSON.parse(readFileSync(expectationsFile, 'utf8'));

function check(condition, message) {
  if (!condition) throw new Error(message);
}

async function clickAndWait(page, name) {
  await Promise.all([page.waitForNavigation(), page.click(`[data-name="${name}"]`)]);
}

async function expectTitle(page, title) {
  const actual = await page.title();
  check(actual === title, `title "${actual}", expected "${title}"`);
}

// One entry per scenario; a new scenario is one more entry.
const scenarios = {
  // Every control of the first page lies at its stored rectangle.
  async positions(page) {
    for (const rect of expected.rects) {
      const box = await page.locator(`[data-name="${rect.name}"]`).boundingBox();
      check(box !== null, `${rect.name} is not shown`);
      for (const key of ['x', 'y', 'width', 'height']) {
        check(Math.abs(box[key] - rect[key]) < 0.5, `${rect.name}.${key} is ${box[key]}, stored ${rect[key]}`);
      }
    }
  },
  // first -> second -> third, back to the first, again to the second and back.
  async chain(page) {
    await expectTitle(page, 'First page');
    await clickAndWait(page, 'Go2');
    await expectTitle(page, 'Second page');
    await clickAndWait(page, 'Go3');
    await expectTitle(page, 'Third page');
    await clickAndWait(page, 'Home');
    await expectTitle(page, 'First page');
    await clickAndWait(page, 'Go2');
    await expectTitle(page, 'Second page');
    await clickAndWait(page, 'Back');
    await expectTitle(page, 'First page');
  },
  // Text typed into the memo reaches the server in UTF-8 and a set-property action copies
  // it to a label.
  async copy(page) {
    await page.fill('[data-name="Memo1"]', expected.typed);
    await clickAndWait(page, 'Copy');
    const text = (await page.locator('[data-name="Copied"]').innerText()).trim();
    check(text === expected.typed, `label shows "${text}", expected "${expected.typed}"`);
    const memo = await page.locator('[data-name="Memo1"]').inputValue();
    check(memo.trim() === expected.typed, `memo holds "${memo}" after the round trip`);
  },
  // A message action shows its text as an alert of the next page.
  async message(page) {
    const shown = new Promise((resolve) => page.once('dialog', (dialog) => resolve(dialog.message())));
    await clickAndWait(page, 'Say');
    const text = await shown;
    check(text === expected.message, `alert "${text}", expected "${expected.message}"`);
  },
  // The exit command ends the session with the project's terminate message.
  async exit(page) {
    await clickAndWait(page, 'Exit');
    const text = await page.locator('#terminate').textContent();
    check(text === expected.terminateMessage, `terminate message "${text}"`);
  },
};

const scenario = scenarios[scenarioName];
if (!scenario) {
  console.error(`unknown scenario ${scenarioName}`);
  process.exit(2);
}

const userDataDir = mkdtempSync(join(tmpdir(), 'zv-chromium-'));
let context;
let code = 0;
try {
  context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: process.env.ZV_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const page = context.pages()[0] ?? await context.newPage();
  page.on('dialog', (dialog) => dialog.dismiss());
  await page.goto(startUrl);
  await scenario(page);
  console.log(`${scenarioName}: ok`);
} catch (error) {
  console.error(`${scenarioName}: ${error.message}`);
  code = 1;
} finally {
  if (context) await context.close();
  rmSync(userDataDir, { recursive: true, force: true });
}
process.exit(code);
