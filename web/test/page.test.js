// The web page in headless chromium (Debian's, driven by puppeteer-core), served from a
// local static server, against the native command line (TAVOMERIX_NATIVE). The screenshots
// go to TAVOMERIX_WEB_BUILD (build-web/).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createServer } from 'node:http';
import { mkdir, readFile, rm, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const webRoot = fileURLToPath(new URL('..', import.meta.url));
const native = process.env.TAVOMERIX_NATIVE;
const output = process.env.TAVOMERIX_WEB_BUILD ?? '.';
const browserPath = process.env.TAVOMERIX_CHROMIUM ?? '/usr/bin/chromium';
const types = { '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
                '.css': 'text/css' };
const runNative = (args) => execFileSync(native, args, { encoding: 'utf8' });

let server, browser, page, base;
const problems = [];

before(async () => {
  server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    try {
      const body = await readFile(join(webRoot, path === '/' ? 'index.html' : path));
      response.writeHead(200, { 'content-type': types[extname(path)] ?? 'text/html' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await puppeteer.launch({ executablePath: browserPath, headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage'] });
  page = await browser.newPage();
  await page.setViewport({ width: 1100, height: 900 });
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`page: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request: ${request.url()}`));
  await page.goto(base, { waitUntil: 'load' });
  await page.waitForSelector('html[data-ready="1"]', { timeout: 30000 });
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function showMonth(year, month) {
  await page.$eval('#year', (input, value) => { input.value = value; }, String(year));
  await page.select('#month', String(month));
  await page.click('#jump button[type=submit]');
}

// Each shown day: its date, mark, festivals and 休/班.
const cells = () => page.$$eval('#grid .day', (list) => list.map((e) => ({
  date: e.dataset.date,
  mark: e.querySelector('.mark').textContent,
  festival: e.querySelector('.festival')?.textContent ?? '',
  status: e.querySelector('.status')?.textContent ?? '',
})));
const title = () => page.$eval('#title', (e) => e.textContent);

test('loads without an error and times its first render', async () => {
  const ms = await page.$eval('html', (e) => Number(e.dataset.firstRenderMs));
  console.log(`first render ${ms} ms after navigation start`);
  assert.ok(ms > 0);
  assert.deepEqual(problems, []);
});

test('months as the command line shows them', async () => {
  const cases = [
    // year, month, native title, checks of single days
    [2024, 2, '2024年2月', [['2024-2-10', (c) => c.festival.includes('春节') && c.status === '休'],
                           ['2024-2-4', (c) => c.mark === '立春' && c.status === '班']]],
    [2025, 7, '2025年7月', [['2025-7-25', (c) => c.mark === '闰六月']]],
    [-103, 2, '公元前104年2月', [['-103-2-22', (c) => c.mark === '正月']]],
  ];
  for (const [year, month, expectedTitle, checks] of cases) {
    await showMonth(year, month);
    assert.equal(await title(), expectedTitle);
    const shown = await cells();
    const expected = JSON.parse(runNative(['cal', '--format', 'json', '--', String(year), String(month)]));
    assert.deepEqual(shown.map((c) => c.mark), expected.days.map((d) => d.mark), expectedTitle);
    for (const [date, check] of checks) {
      const c = shown.find((x) => x.date === date);
      assert.ok(c && check(c), `${date}: ${JSON.stringify(c)}`);
    }
  }
});

test('a click on a day shows its day view as the command line prints it', async () => {
  for (const [year, month, date] of [[2024, 2, '2024-2-10'], [-103, 2, '-103-2-22'], [1582, 10, '1582-10-15']]) {
    await showMonth(year, month);
    await page.click(`#grid .day[data-date="${date}"]`);
    assert.equal(await page.$eval('#day-view', (e) => e.textContent), runNative(['day', date]));
    const almanac = JSON.parse(runNative(['almanac', date, '--format', 'json'])).lines.join('\n');
    assert.equal(await page.$eval('#almanac', (e) => e.textContent), almanac);
    assert.equal(await page.$eval('.day.selected', (e) => e.dataset.date), date);
  }
});

test('a clicked day\'s 宜, 忌 and hours are the command line\'s, 黄道 hours marked', async () => {
  for (const [year, month, date, zi] of [[2024, 2, '2024-2-10', 'late'], [2025, 7, '2025-7-25', 'early']]) {
    await page.select('#zi', zi);
    await showMonth(year, month);
    await page.click(`#grid .day[data-date="${date}"]`);
    const expected = JSON.parse(runNative(['almanac', date, `--${zi}-zi`, '--format', 'json']));
    assert.equal(await page.$eval('#favoured', (e) => e.textContent), expected.favoured.join(' ') || '无');
    assert.equal(await page.$eval('#forbidden', (e) => e.textContent), expected.forbidden.join(' ') || '无');
    const hours = await page.$$eval('#hours .hour', (list) => list.map((e) =>
      [e.title, e.classList.contains('yellow'), e.querySelector('.name').textContent]));
    assert.deepEqual(hours, expected.hours.map((h) => [h.text, h.yellow_path, h.label]), date);
  }
  await page.select('#zi', 'late');
});

test('navigation across a year boundary, by keys, to -103 and to a lunar date', async () => {
  await showMonth(2024, 12);
  await page.click('#grid .day[data-date="2024-12-31"]');
  await page.click('#next-month');
  assert.equal(await title(), '2025年1月');
  await page.focus('#grid');
  await page.keyboard.press('PageUp');
  assert.equal(await title(), '2024年12月');
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.$eval('.day.selected', (e) => e.dataset.date), '2025-1-1');
  await page.keyboard.down('Shift');
  await page.keyboard.press('PageDown');
  await page.keyboard.up('Shift');
  assert.equal(await title(), '2026年1月');
  await showMonth(-103, 1);
  assert.equal(await title(), '公元前104年1月');
  await page.click('#prev-year');
  assert.equal(await title(), '公元前105年1月');
  await page.$eval('#date', (input) => { input.value = '2025-闰6-1'; });
  await page.click('#date-lunar');
  await page.click('#jump-date button[type=submit]');
  assert.equal(await page.$eval('.day.selected', (e) => e.dataset.date), '2025-7-25');
  await page.click('#date-lunar');
  await page.$eval('#date', (input) => { input.value = '2024-13-1'; });
  await page.click('#jump-date button[type=submit]');
  assert.match(await page.$eval('#date-error', (e) => e.textContent), /2024-13-1/);
});

test('settings: another zone and the modern reckoning give the command line\'s day view', async () => {
  await page.select('#zone', '-5');
  await showMonth(2024, 2);
  await page.click('#grid .day[data-date="2024-2-10"]');
  assert.equal(await page.$eval('#day-view', (e) => e.textContent),
               runNative(['day', '2024-2-10', '--tz', '-5']));
  await page.select('#zone', '8');
  await page.select('#regime', 'modern');
  await showMonth(-100, 3);
  await page.click('#grid .day[data-date="-100-3-8"]');
  assert.equal(await page.$eval('#day-view', (e) => e.textContent),
               runNative(['day', '-100-3-8', '--modern']));
  await page.select('#regime', 'historical');
});

test('the iCalendar download holds the command line\'s festivals and terms of the year', async () => {
  const folder = join(output, 'downloads');
  await rm(folder, { recursive: true, force: true });
  await mkdir(folder, { recursive: true });
  const session = await page.createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await showMonth(2025, 3);
  await page.click('#ics');
  const file = join(folder, 'tavomerix-2025.ics');
  for (let i = 0; i < 100 && !(await stat(file).catch(() => null)); ++i) {
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  // The same events; only the time stamp of the export differs.
  const events = (text) => text.split('\r\n').filter((line) => !line.startsWith('DTSTAMP:'));
  assert.deepEqual(events(await readFile(file, 'utf8')),
                   events(runNative(['ics', '--festivals', '--terms', '--from', '2025', '--years', '1'])));
  await showMonth(1500, 1);
  assert.equal(await page.$eval('#ics', (e) => e.disabled), true);
});

test('screenshots, and a phone\'s width without sideways scrolling', async () => {
  await showMonth(2024, 2);
  await page.click('#grid .day[data-date="2024-2-10"]');
  await page.screenshot({ path: join(output, 'page.png'), fullPage: true });
  await page.setViewport({ width: 375, height: 812, deviceScaleFactor: 2, isMobile: true });
  const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
  await page.screenshot({ path: join(output, 'page-phone.png'), fullPage: true });
  assert.ok(overflow <= 0, `wider than the phone by ${overflow} px`);
  assert.deepEqual(problems, []);
});
