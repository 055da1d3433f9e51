// The page airmotor-server serves, driven in a real browser against the real server:
//   node page.test.mjs --server PATH/airmotor-server --folder PATH/bin [--shots DIR]
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync } from 'node:fs';
import path from 'node:path';
import { parseArgs } from 'node:util';

const { values: options } = parseArgs({
    options: {
        server: { type: 'string' },
        folder: { type: 'string' },
        shots: { type: 'string' },
    },
});
if (!options.server || !options.folder) {
    console.error('usage: node page.test.mjs --server PATH/airmotor-server --folder PROGRAM_FOLDER [--shots DIR]');
    process.exit(2);
}

// A missing browser driver is a broken setup, not a reason to pass quietly.
let chromium;
try {
    ({ chromium } = await import('playwright-core'));
} catch {
    console.error('tests/web/node_modules is missing: run scripts/install-deps (it runs npm ci --prefix tests/web)');
    process.exit(1);
}

const shots = options.shots ?? path.join(path.dirname(path.resolve(options.folder)), 'web-shots');
const DUTY = { torque: 10, speed: 3000, pressure: 6.3 };

let server;
let base;
let browser;
let page;
const problems = [];

function startServer() {
    return new Promise((resolve, reject) => {
        server = spawn(options.server, ['--folder', options.folder, '--listen', '127.0.0.1:0'],
            { stdio: ['ignore', 'ignore', 'pipe'] });
        let said = '';
        const timer = setTimeout(() => reject(new Error(`the server did not start:\n${said}`)), 60000);
        server.stderr.setEncoding('utf8');
        server.stderr.on('data', (chunk) => {
            said += chunk;
            const found = said.match(/listening on (http:\/\/\S+?)\/? /);
            if (found) {
                clearTimeout(timer);
                resolve(found[1] + '/');
            }
        });
        server.on('exit', (code) => reject(new Error(`the server ended with ${code}:\n${said}`)));
    });
}

function stopServer() {
    if (server && server.exitCode === null) {
        server.kill('SIGTERM');
    }
}
process.on('exit', stopServer);

async function api(route, body) {
    const response = await fetch(base + 'api/v1/' + route, body
        ? { method: 'POST', body: JSON.stringify(body), headers: { 'Content-Type': 'application/json' } }
        : undefined);
    return response.json();
}

const labelsOf = async (language) => (await api(`texts?language=${language}`)).labels;

async function shoot(name, width) {
    await page.setViewportSize({ width, height: 900 });
    await page.screenshot({ path: path.join(shots, `${name}-${width}.png`), fullPage: true });
}

async function chooseLanguage(current, language) {
    await page.getByLabel(current.language, { exact: true }).selectOption(language);
    const labels = await labelsOf(language);
    await page.getByLabel(labels.torque, { exact: true }).waitFor();
    // The results are searched again in the new language; the link follows when that is done.
    await page.waitForURL(new RegExp(`language=${language}(&|$)`));
    return labels;
}

before(async () => {
    mkdirSync(shots, { recursive: true });
    base = await startServer();
    browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync'],
    });
    page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
    // A blocked script or style (the server's content security policy) shows up here.
    page.on('console', (message) => message.type() === 'error' && problems.push(message.text()));
    page.on('pageerror', (error) => problems.push(error.message));
});

after(async () => {
    await browser?.close();
    stopServer();
});

test('a duty typed in the form finds the motors the API finds, and a row shows its motor', async () => {
    const labels = await labelsOf('English');
    const expected = await api('search', DUTY);
    assert.ok(expected.rows.length >= 5, 'the duty should find several motors');

    await page.goto(base);
    await page.getByLabel(labels.torque, { exact: true }).fill('10');
    await page.getByLabel(labels.speed, { exact: true }).fill('3000');
    await page.getByLabel(labels.pressure, { exact: true }).fill('6.3');
    await page.getByRole('button', { name: labels.search, exact: true }).click();
    const rows = page.locator('#results-table tbody tr');
    await rows.first().waitFor();
    assert.deepEqual(await rows.locator('.name').allTextContents(), expected.rows.map((r) => r.designation));
    const modes = { 'direct': labels.modeDirect, 'throttled': labels.modeThrottled,
        'reduced-pressure': labels.modeReducedPressure };
    assert.equal(await rows.first().locator('.badge').textContent(), modes[expected.rows[0].mode]);
    assert.match(page.url(), /torque=10&speed=3000&pressure=6\.3/);

    await rows.first().click();
    const diagram = page.locator('#diagram');
    await page.waitForFunction(() => document.getElementById('diagram').naturalWidth > 0);
    assert.equal(await page.locator('#detail-heading').textContent(), expected.rows[0].designation);
    assert.match(await diagram.getAttribute('src'), new RegExp(`motors/${expected.rows[0].index}/diagram\\.svg\\?`));
    const motor = await api(`motors/${expected.rows[0].index}?pressure=6.3`);
    if (motor.drawing) {
        await page.waitForFunction(() => document.getElementById('drawing').naturalWidth > 0);
    }

    // The keyboard reaches the same detail as the mouse.
    await rows.nth(1).focus();
    await page.keyboard.press('Enter');
    await page.locator('#detail-heading').getByText(expected.rows[1].designation, { exact: true }).waitFor();
    assert.equal(await rows.nth(1).getAttribute('aria-current'), 'true');

    // Both calculators answer for the chosen motor with their own defaults.
    await page.locator('#rotatingMass .values dd').first().waitFor();
    await page.locator('#wagon').getByRole('button', { name: labels.calculate }).click();
    await page.locator('#wagon .messages p, #wagon .values dd').first().waitFor();
});

test('the data sheet downloads as the chosen motor\'s PDF', async () => {
    const labels = await labelsOf('English');
    const designation = (await page.locator('#detail-heading').textContent()).trim();
    const [download] = await Promise.all([
        page.waitForEvent('download'),
        page.getByRole('button', { name: labels.datasheet }).click(),
    ]);
    assert.equal(download.suggestedFilename(), `${designation.replace(/[^A-Za-z0-9._-]+/g, '_')}.pdf`);
    const chunks = [];
    for await (const chunk of await download.createReadStream()) {
        chunks.push(chunk);
    }
    assert.equal(Buffer.concat(chunks).subarray(0, 4).toString('latin1'), '%PDF');
});

test('ticked motors are compared side by side, four at most', async () => {
    const labels = await labelsOf('English');
    const ticks = page.locator('#results-table input.tick');
    const compare = page.getByRole('button', { name: labels.compare, exact: true });
    for (let k = 0; k < 3; ++k) {
        await ticks.nth(k).check();
    }
    await compare.click();
    const heads = page.locator('#comparison-table thead th');
    await heads.first().waitFor();
    assert.equal(await heads.count(), 3);
    const expected = await api('compare', { ...DUTY, rows: [1, 2, 3] });
    assert.deepEqual(await heads.locator('.name').allTextContents(), expected.rows.map((r) => r.designation));
    assert.ok(await page.locator('#comparison-table td.best').count() > 0, 'the best values are marked');

    await ticks.nth(3).check();
    assert.equal(await ticks.nth(4).isDisabled(), true);
    await ticks.nth(3).uncheck();
    assert.equal(await ticks.nth(4).isDisabled(), false);
});

test('another language changes every caption, keeps the duty and converts imperial units', async () => {
    await shoot('english', 1280);
    const english = await labelsOf('English');
    const german = await chooseLanguage(english, 'German');
    assert.equal(await page.locator('label[for="torque"]').textContent(), 'Drehmoment [Nm]');
    assert.equal(await page.getByLabel(german.torque, { exact: true }).inputValue(), '10');
    assert.equal(await page.locator('html').getAttribute('lang'), 'de');
    assert.equal(await page.getByRole('button', { name: german.compare, exact: true }).count(), 1);
    await page.locator('#comparison-table th', { hasText: german.maxPower }).first().waitFor();
    // Every group and box has its caption in the language, units included.
    assert.equal(await page.getByRole('group', { name: 'Drehrichtung' }).getByLabel('Linkslauf').count(), 1);
    assert.equal(await page.getByRole('group', { name: 'Schmierung' }).getByLabel('Ölfrei').count(), 1);
    assert.equal(await page.locator('#wagon').getByLabel('Zeit [s]', { exact: true }).inputValue(), '6');
    await page.locator('#rotatingMass dt', { hasText: 'Drehzahl [1/min]' }).waitFor();
    await shoot('german', 1280);
    await shoot('german', 360);

    const imperial = await chooseLanguage(german, 'English_Imperial');
    assert.equal(await page.getByLabel(imperial.torque, { exact: true }).inputValue(), '7.37561');
    await page.waitForFunction(() => /language=English_Imperial/.test(document.getElementById('diagram').src));
    const diagram = await (await fetch(new URL(await page.locator('#diagram').getAttribute('src'), base))).text();
    assert.match(diagram, /Torque \[lbf ft\]/);
    assert.equal(await page.getByLabel(imperial.pressure, { exact: true }).inputValue(), '91.3739');
    const englishAgain = await chooseLanguage(imperial, 'English');
    assert.equal(await page.getByLabel(englishAgain.pressure, { exact: true }).inputValue(), '6.3');
});

test('a shared link restores the duty and its results', async () => {
    const link = page.url();
    const other = await browser.newPage();
    await other.goto(link);
    await other.locator('#results-table tbody tr').first().waitFor();
    assert.equal(await other.locator('#torque').inputValue(), '10');
    assert.equal(await other.locator('#results-table tbody tr').count(),
        await page.locator('#results-table tbody tr').count());
    await other.close();
});

test('at 360 px the page itself never scrolls sideways', async () => {
    await page.setViewportSize({ width: 360, height: 800 });
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= 360);
    await shoot('english', 360);
});

test('a box holding no number is marked and nothing is searched; a decimal comma is a number', async () => {
    const labels = await labelsOf('English');
    const torque = page.getByLabel(labels.torque, { exact: true });
    const before = page.url();
    await torque.fill('1O');
    await page.getByRole('button', { name: labels.search, exact: true }).click();
    assert.equal(await torque.getAttribute('aria-invalid'), 'true');
    assert.equal(await page.locator('#messages').textContent(), `${labels.torque}: "1O" is not a number`);
    assert.equal(page.url(), before);
    const time = page.locator('#wagon').getByLabel('Time [s]', { exact: true });
    await time.fill('six');
    await page.locator('#wagon').getByRole('button', { name: labels.calculate }).click();
    assert.equal(await page.locator('#wagon .messages').textContent(), 'Time [s]: "six" is not a number');
    await time.fill('6');
    await torque.fill('12,5');
    await page.getByRole('button', { name: labels.search, exact: true }).click();
    await page.waitForURL(/torque=12\.5&/);
    assert.equal(await torque.getAttribute('aria-invalid'), null);
});

test('a lost server is reported in the chosen language', async () => {
    const labels = await labelsOf('English');
    await page.route('**/api/v1/search', (route) => route.abort());
    await page.getByRole('button', { name: labels.search, exact: true }).click();
    await page.getByRole('alert').getByText(labels.unreachable).waitFor();
    await page.unroute('**/api/v1/search');
    problems.splice(0, problems.length, ...problems.filter((p) => !/Failed to load resource|ERR_FAILED/.test(p)));
    assert.deepEqual(problems, [], 'the console stays free of errors (blocked scripts, styles, exceptions)');
});
