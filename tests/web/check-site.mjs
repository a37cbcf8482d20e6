// Opens the built site in a browser as a player would, row by row of the site check's table
// (rows.mjs), each in a tab of its own, and prints what each row found; a row that needs what the
// engine's driver cannot do is skipped, with the reason.
//
//     node check-site.mjs chromium|webkit|firefox SITE_DIR SOURCE_DIR [SAVE_DIR]
//
// SOURCE_DIR holds the desktop's screenshots the window is compared with; SAVE_DIR, if given,
// receives the windows seen. WebKit needs an X display (xvfb-run).

import { mkdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { engines } from './browsers.mjs';
import * as pixels from './pixels.mjs';
import { rows } from './rows.mjs';
import { serve } from './serve.mjs';

// What each engine's driver cannot do, and why.
const OWN = "needs Chromium's own commands (DevTools), which no command of this driver stands in for";
const NOT_CHROMIUM = {
    phone: `a phone's screen, with its touch and its keyboard's input, ${OWN}`,
    'accessibility tree': `the accessibility tree ${OWN}`,
    locale: `a locale for one page ${OWN}`,
    installing: `installing a page with its service worker ${OWN}`,
};
const CANNOT = {
    chromium: {},
    webkit: { ...NOT_CHROMIUM,
              zoom: 'WebKitWebDriver 2.50 can neither zoom a page nor set the scale of its pixels',
              'before load': "WebKitWebDriver 2.50 runs no script in a page before the page's own",
              'script off': 'WebKitWebDriver 2.50 cannot switch script off for one page' },
    firefox: { ...NOT_CHROMIUM,
               'script off': 'puppeteer switches script off only through DevTools, which ' +
                             'Firefox ESR does not speak' },
};
const DESKTOP = { width: 1280, height: 800, mobile: false };

class Check {
    constructor(fields) {
        Object.assign(this, fields, { failures: [], saved: 0, axe: createRequire(import.meta.url)
            .resolve('axe-core/axe.min.js') });
    }

    expect(condition, what) {
        console.log(`${condition ? 'ok     ' : 'FAILED '} ${what}`);
        if (!condition)
            this.failures.push(`${this.row}: ${what}`);
        return condition;
    }

    note(what) { this.notes.push(what); }

    save(image) {
        if (this.saveDir)
            writeFileSync(join(this.saveDir, `${this.browser.name}-${++this.saved}.png`),
                          pixels.encode(image));
    }

    // The site's page, loaded and drawn in its faces.
    async openPage(origin = this.server.origin) {
        await this.browser.open(`${origin}/index.html`);
        await this.browser.evaluate("new Promise((done) => document.readyState === 'complete' ? " +
                                    "done() : addEventListener('load', done)).then(() => " +
                                    'document.fonts.ready)');
    }

    async run(row) {
        Object.assign(this, { row: row.name, notes: [] });
        console.log(`\n${row.name}`);
        const { width, height, mobile } = row.viewport ?? DESKTOP;
        await this.browser.newTab(width, height, { mobile, phone: row.phone,
                                                   beforeLoad: row.beforeLoad });
        this.server.breaches.length = 0;
        const failed = this.failures.length;
        // A row served apart starts with nothing of the site kept by the browser.
        const apart = row.servedApart && await serve(this.site, row.servedApart);
        try {
            if (row.scriptOff) {
                // The page is parsed without script; the check reads it with script on again.
                await this.browser.cdp('Emulation.setScriptExecutionDisabled', { value: true });
                await this.browser.open(`${this.server.origin}/index.html`);
                await this.browser.cdp('Emulation.setScriptExecutionDisabled', { value: false });
            } else if (!row.ownServer) {
                await this.openPage(apart?.origin);
            }
            for (const step of row.steps)
                await step(this);
        } catch (error) {
            this.expect(false, `the row ran to its end (${error.stack ?? error})`);
        } finally {
            await apart?.stop();
        }
        if (this.failures.length > failed)
            this.notes.forEach((note) => console.log(`        ${note}`));
    }
}

const [engine, site, source, saveDir] = process.argv.slice(2);
if (!engines[engine] || !source) {
    console.error('usage: check-site.mjs chromium|webkit|firefox SITE_DIR SOURCE_DIR [SAVE_DIR]');
    process.exit(2);
}
if (saveDir)
    mkdirSync(saveDir, { recursive: true });
const server = await serve(site);
const browser = await engines[engine]();
const check = new Check({ browser, server, site, source, saveDir });
let skipped = 0;
try {
    for (const row of rows) {
        const missing = (row.needs ?? []).find((need) => CANNOT[engine][need]);
        if (!missing)
            await check.run(row);
        else if (++skipped)
            console.log(`\nskipped ${row.name}\n        ${engine}: ${CANNOT[engine][missing]}`);
    }
} finally {
    await browser.close();
    await server.stop();
}
console.log(`\n${engine}: ${rows.length - skipped} rows run, ${skipped} skipped, ` +
            `${check.failures.length} failures\n${check.failures.map((f) => `  ${f}`).join('\n')}`);
process.exitCode = check.failures.length ? 1 : 0;
