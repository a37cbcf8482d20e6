// Opens the built site in a browser as a player would, row by row of the site check's table
// (rows.mjs), each in a fresh tab of its own, and prints what each row found. A row that needs what
// the engine's driver cannot do is skipped, with the reason.
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

// What each engine's driver cannot do, and why: the rows that need it are skipped there.
const CHROMIUMS_OWN = "are Chromium's own commands (DevTools), which no command of this engine's " +
                      'driver stands in for';
const CANNOT = {
    chromium: {},
    webkit: {
        zoom: 'WebKitWebDriver 2.50 can neither zoom a page nor set the scale of its pixels',
        phone: `a phone's screen, its touch and its keyboard's input ${CHROMIUMS_OWN}`,
        'accessibility tree': `the accessibility tree ${CHROMIUMS_OWN}`,
        'before load': 'WebKitWebDriver 2.50 runs no script in a page before the page\'s own',
        'script off': 'WebKitWebDriver 2.50 cannot switch script off for one page',
        installing: `installing a page and its service worker ${CHROMIUMS_OWN}`,
    },
    firefox: {
        phone: `a phone's screen, its touch and its keyboard's input ${CHROMIUMS_OWN}`,
        'accessibility tree': `the accessibility tree ${CHROMIUMS_OWN}`,
        'script off': 'WebDriver BiDi in Firefox ESR cannot switch script off for one page',
        installing: `installing a page and its service worker ${CHROMIUMS_OWN}`,
    },
};
const DESKTOP = { width: 1280, height: 800, mobile: false };

class Check {
    constructor(browser, server, site, source, saveDir) {
        Object.assign(this, { browser, server, site, source, saveDir });
        this.axe = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
        this.failures = [];
        this.saved = 0;
    }

    expect(condition, what) {
        console.log(`${condition ? 'ok     ' : 'FAILED '} ${what}`);
        if (!condition)
            this.failures.push(`${this.row}: ${what}`);
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
        this.row = row.name;
        this.notes = [];
        console.log(`\n${row.name}`);
        const { width, height, mobile } = row.viewport ?? DESKTOP;
        await this.browser.newTab(width, height, { mobile, phone: row.phone,
                                                   beforeLoad: row.beforeLoad });
        this.server.breaches.length = 0;
        try {
            if (row.scriptOff) {
                // The page is parsed without script; the check reads it with script on again.
                await this.browser.cdp('Emulation.setScriptExecutionDisabled', { value: true });
                await this.browser.open(`${this.server.origin}/index.html`);
                await this.browser.cdp('Emulation.setScriptExecutionDisabled', { value: false });
            } else if (!row.ownServer) {
                await this.openPage();
            }
            for (const step of row.steps)
                await step.run(this);
        } catch (error) {
            this.expect(false, `the row ran to its end (${error.stack ?? error})`);
        }
        if (this.failures.some((failure) => failure.startsWith(`${row.name}:`)))
            for (const note of this.notes)
                console.log(`        ${note}`);
    }
}

async function main() {
    const [engine, site, source, saveDir] = process.argv.slice(2);
    if (!engines[engine] || !source) {
        console.error('usage: check-site.mjs chromium|webkit|firefox SITE_DIR SOURCE_DIR ' +
                      '[SAVE_DIR]');
        return 2;
    }
    if (saveDir)
        mkdirSync(saveDir, { recursive: true });
    const server = await serve(site);
    const browser = await engines[engine]();
    const check = new Check(browser, server, site, source, saveDir);
    let skipped = 0;
    try {
        for (const row of rows) {
            const missing = (row.needs ?? []).find((need) => CANNOT[engine][need]);
            if (missing) {
                console.log(`\nskipped ${row.name}\n        ${engine}: ${CANNOT[engine][missing]}`);
                ++skipped;
                continue;
            }
            await check.run(row);
        }
    } finally {
        await browser.close();
        await server.stop();
    }
    console.log(`\n${engine}: ${rows.length - skipped} rows run, ${skipped} skipped, ` +
                `${check.failures.length} failures`);
    for (const failure of check.failures)
        console.log(`  ${failure}`);
    return check.failures.length ? 1 : 0;
}

process.exitCode = await main();
