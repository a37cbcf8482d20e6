// The words the site check's rows are written in: what a player does, and what the page then
// shows or tells. Each step runs against one check of one row: `check.browser` drives the page,
// `check.expect(condition, what)` records an outcome.

import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import * as pixels from './pixels.mjs';
import { serve } from './serve.mjs';

const BLUE = [0, 0, 255];
// Text drawn with other hinting than the desktop's is softened away before the windows are
// compared: both are blurred alike, and a pixel differs where its grey differs by more than this.
const SOFTENING = 1.5;
const LARGEST_DIFFERENCE = 40;
// Of the window's pixels, the share that may differ.
const MOST_DIFFERING = 0.005;

// The focused element, as a screen reader names it: its name, text and selection.
const FOCUSED = `(() => { const e = document.activeElement;
    const box = e.tagName === 'INPUT';
    return [e.getAttribute('aria-label') ?? e.textContent, box ? e.value : null,
            box ? e.selectionStart : null, box ? e.selectionEnd : null]; })()`;
// Equal as JSON, whatever order an object's keys come back in.
const canonical = (value) => JSON.stringify(value, (key, v) =>
    v && typeof v === 'object' && !Array.isArray(v) ?
        Object.fromEntries(Object.entries(v).sort(([a], [b]) => (a < b ? -1 : 1))) : v);
const same = (a, b) => canonical(a) === canonical(b);

async function waitUntil(check, expression, what, seconds = 20) {
    const held = await check.browser.evaluate(`new Promise((done) => {
        const end = performance.now() + ${seconds * 1000};
        (function poll() {
            if (${expression}) done(true);
            else if (performance.now() > end) done(false);
            else setTimeout(poll, 20);
        })(); })`);
    check.expect(held === true, what);
    return held === true;
}

// Two frames: the one that lays out the last change, and the one that draws it.
const drawn = (check) => check.browser.evaluate(
    'new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(() => done(true))))');

// The page as drawn once the faces its text asks for have come.
async function screenshot(check) {
    await check.browser.evaluate('document.fonts.ready.then(() => true)');
    await drawn(check);
    return pixels.decode(await check.browser.screenshot());
}

// Where an element's centre is on the screen, in CSS pixels.
const centreOf = (check, id) => check.browser.evaluate(`(() => {
    const r = document.getElementById('${id}').getBoundingClientRect();
    return [r.x + r.width / 2, r.y + r.height / 2]; })()`);

// What a player does.

export const type = (text) => ({ run: (check) => check.browser.type(text) });

export const press = (key, ...modifiers) =>
    ({ run: (check) => check.browser.press(key, ...modifiers) });

// The eight counts typed as the desktop's screenshots were taken: all of the first box selected
// and typed over, then Tab from box to box, which selects the box's text.
export const typePlay = (counts) => ({
    run: async (check) => {
        await check.browser.press('a', 'Control');
        for (const [i, count] of counts.entries()) {
            if (i > 0)
                await check.browser.press('Tab');
            await check.browser.type(count);
        }
    },
});

export const click = (id) => ({ run: (check) => check.browser.clickElement(id) });

export const tap = (id) => ({
    run: async (check) => check.browser.tap(...await centreOf(check, id)),
});

// The page seen at another size, or zoomed: its pixels `scale` times a CSS pixel.
export const resize = (width, height, { scale = 1, mobile = false } = {}) => ({
    run: (check) => check.browser.setViewport(width, height, { scale, mobile }),
});

// Chromium's own input commands, as a phone's keyboard sends text: a key at a time with its text
// (an iPhone), key code 229 and then the text (Android), or a whole word or paste at once.
const dispatchKey = (check, type, key, extra = {}) =>
    check.browser.cdp('Input.dispatchKeyEvent', { type, key, ...extra });
export const PHONE_TYPING = {
    'keys with text': async (check, text) => {
        for (const character of text) {
            await dispatchKey(check, 'keyDown', character, { text: character });
            await dispatchKey(check, 'keyUp', character);
        }
    },
    'key code 229': async (check, text) => {
        for (const character of text) {
            await dispatchKey(check, 'rawKeyDown', 'Unidentified', { windowsVirtualKeyCode: 229 });
            await check.browser.cdp('Input.insertText', { text: character });
            await dispatchKey(check, 'keyUp', 'Unidentified', { windowsVirtualKeyCode: 229 });
        }
    },
    'committed text': (check, text) => check.browser.cdp('Input.insertText', { text }),
};
export const phoneKey = (key, code) => ({
    run: async (check) => {
        await dispatchKey(check, 'rawKeyDown', key, { windowsVirtualKeyCode: code });
        await dispatchKey(check, 'keyUp', key, { windowsVirtualKeyCode: code });
    },
});
export const phoneType = (way, text) => ({ run: (check) => PHONE_TYPING[way](check, text) });

// Runs script in the page, as a screen reader or the browser does what no key does.
export const script = (code) => ({ run: (check) => check.browser.evaluate(code) });

// What the page shows or tells.

export const titled = (title) => ({
    run: async (check) => {
        const shown = await check.browser.evaluate('document.title');
        check.expect(shown === title, `the page is titled ${title} (${shown})`);
    },
});

export const resultShown = (percent) => ({
    run: (check) => waitUntil(check, `document.getElementById('lblDP').textContent === '${percent}'`,
                              `the result shows ${percent}`),
});

// The labels and the pictures shown, by name.
export const shows = (expected) => ({
    run: async (check) => {
        const names = Object.keys(expected);
        const shown = await check.browser.evaluate(`Object.fromEntries(${JSON.stringify(names)}
            .map((id) => { const e = document.getElementById(id);
                           return [id, { IMG: !e.hidden, INPUT: e.value }[e.tagName] ??
                                       e.textContent]; }))`);
        check.expect(same(shown, expected), `the window shows ${JSON.stringify(expected)} ` +
                     `(${JSON.stringify(shown)})`);
    },
});

// The window drawn whole, in the middle of the page, as the desktop draws it after the same play
// (a screenshot of tools/screenshot.sh): its size, and all but a few of its pixels once softened;
// or only those of the controls named.
export const windowLooksLike = (reference, controls = null) => ({
    run: async (check) => {
        const expected = pixels.decode(readFileSync(join(check.source, reference)));
        const image = await screenshot(check);
        const area = pixels.boundingBox(image, BLUE, true);
        const size = area && [area[2] - area[0], area[3] - area[1]];
        check.expect(same(size, [expected.width, expected.height]),
                     `the window is ${expected.width} x ${expected.height} pixels (${size})`);
        if (!same(size, [expected.width, expected.height]))
            return;
        const offCentre = [area[0] + area[2] - image.width, area[1] + area[3] - image.height];
        check.expect(offCentre.every((off) => Math.abs(off) <= 2),
                     `the window is in the middle of the page (${area})`);
        const window = pixels.crop(image, area);
        check.save(window);
        const parts = controls ? await check.browser.evaluate(`(() => {
            const scale = devicePixelRatio;
            const frame = document.getElementById('frmTallyfen').getBoundingClientRect();
            return ${JSON.stringify(controls)}.map((id) => {
                const r = document.getElementById(id).getBoundingClientRect();
                return [r.left - frame.left, r.top - frame.top, r.right - frame.left,
                        r.bottom - frame.top].map((side) => Math.round(side * scale)); }); })()`)
            : [[0, 0, expected.width, expected.height]];
        let differing = 0, compared = 0;
        for (const part of parts) {
            differing += pixels.differingPixels(pixels.crop(window, part),
                                                pixels.crop(expected, part), SOFTENING,
                                                LARGEST_DIFFERENCE);
            compared += (part[2] - part[0]) * (part[3] - part[1]);
        }
        const most = Math.floor(MOST_DIFFERING * compared);
        check.expect(differing <= most, `the ${controls ? controls.join(', ') : 'window'} ` +
                     `${controls ? 'are' : 'is'} the desktop's after the same play ` +
                     `(${differing} pixels of ${compared} differ, at most ${most})`);
    },
});

// The window's place on a page smaller than it or beside a phone's keyboard: whole and in the
// middle where it fits, its top-left corner in view where it does not.
export const windowPlaced = ({ whole }) => ({
    run: async (check) => {
        const image = await screenshot(check);
        const area = pixels.boundingBox(image, BLUE, true);
        const inView = area && area[0] >= 0 && area[1] >= 0;
        if (whole) {
            const offCentre = [area[0] + area[2] - image.width, area[1] + area[3] - image.height];
            check.expect(inView && area[2] - area[0] === 342 && area[3] - area[1] === 270 &&
                         offCentre.every((off) => Math.abs(off) <= 2),
                         `the whole window is in the middle of the ${image.width} x ` +
                         `${image.height} page (${area})`);
        } else {
            check.expect(same(area.slice(0, 2), [0, 0]),
                         `the window's top-left corner is in view (${area})`);
        }
    },
});

export const focused = (name, value, start, end) => ({
    run: async (check) => {
        const expected = [name, value, start, end];
        await waitUntil(check, `JSON.stringify(${FOCUSED}) === '${JSON.stringify(expected)}'`,
                        `the focus is on ${name} holding ${JSON.stringify(value)}, ` +
                        `${start} to ${end} selected`, 5);
        check.note(`focus: ${JSON.stringify(await check.browser.evaluate(FOCUSED))}`);
    },
});

// Tab (or Shift+Tab) from the focus, control after control.
export const tabsThrough = (names, ...modifiers) => ({
    run: async (check) => {
        const visited = [];
        for (let i = 0; i < names.length; ++i) {
            await check.browser.press('Tab', ...modifiers);
            visited.push((await check.browser.evaluate(FOCUSED))[0]);
        }
        check.expect(same(visited, names), `${modifiers.join('+')}${modifiers.length ? '+' : ''}` +
                     `Tab goes through ${names.join(', ')} (${visited.join(', ')})`);
    },
});

// An open message: the page's modal dialog, an alert with the title and text read, OK focused.
export const messageOpen = ({ title, quoting, warning }) => ({
    run: async (check) => {
        if (!await waitUntil(check, "document.getElementById('messageBox').open", 'a message opens'))
            return;
        const shown = await check.browser.evaluate(`(() => {
            const box = document.getElementById('messageBox');
            return { modal: box.matches(':modal'), role: box.getAttribute('role'),
                     title: document.getElementById(box.getAttribute('aria-labelledby')).textContent,
                     text: document.getElementById(box.getAttribute('aria-describedby')).textContent,
                     warning: !document.getElementById('messageWarning').hidden,
                     ok: document.activeElement.id }; })()`);
        check.expect(shown.modal && shown.role === 'alertdialog' && shown.title === title &&
                     shown.warning === warning && shown.ok === 'messageOK' &&
                     shown.text.includes(quoting),
                     `a modal alert titled ${title}${warning ? ', with the warning sign,' : ''} ` +
                     `says ${JSON.stringify(quoting)}, OK focused (${JSON.stringify(shown)})`);
    },
});

export const messageClosed = () => ({
    run: (check) => waitUntil(check, "!document.getElementById('messageBox').open",
                              'the message is closed'),
});

// The polite live region's words, as a screen reader is told them.
export const says = (words) => ({
    run: (check) => waitUntil(check, `document.querySelector('[aria-live=polite]').textContent ===
                                      ${JSON.stringify(words)}`, `the page says "${words}"`),
});

// What the page's elements are to a screen reader, from Chromium's accessibility tree: the text
// fields and buttons in order, by role, name and value.
export const readsControls = (expected) => ({
    run: async (check) => {
        const { nodes } = await check.browser.cdp('Accessibility.getFullAXTree');
        const controls = nodes.filter((n) => !n.ignored &&
                                       ['textbox', 'button'].includes(n.role?.value))
            .map((n) => [n.role.value, n.name?.value ?? '', n.value?.value ?? null]);
        check.expect(same(controls, expected), `a screen reader finds ${JSON.stringify(expected)} ` +
                     `(${JSON.stringify(controls)})`);
    },
});

// The message in Chromium's accessibility tree: a modal alert dialog with its name and
// description, and OK focused.
export const readsMessage = (title, quoting) => ({
    run: async (check) => {
        const { nodes } = await check.browser.cdp('Accessibility.getFullAXTree');
        const property = (n, name) => n.properties?.find((p) => p.name === name)?.value.value;
        const read = nodes.filter((n) => !n.ignored && ['alertdialog', 'button'].includes(
            n.role?.value) && (n.role.value === 'alertdialog' || property(n, 'focused')))
            .map((n) => [n.role.value, n.name?.value, n.description?.value ?? null,
                         property(n, 'modal') ?? null]);
        check.expect(read.length === 2 && same(read[0].slice(0, 2), ['alertdialog', title]) &&
                     read[0][2]?.includes(quoting) && read[0][3] === true &&
                     same(read[1], ['button', 'OK', null, null]),
                     `a screen reader reads a modal alert named ${title}, described by its text ` +
                     `(${JSON.stringify(quoting)}), and OK focused (${JSON.stringify(read)})`);
    },
});

// axe-core's rules, run in the page: no rule broken but the contrast of the captions the window
// was designed with on its blue.
export const passesAxe = (designedContrast) => ({
    run: async (check) => {
        await check.browser.evaluate(`(() => { ${readFileSync(check.axe, 'utf8')}
                                            ; return true; })()`);
        const violations = await check.browser.evaluate(
            'axe.run(document).then((r) => r.violations.map((v) => ' +
            '({ id: v.id, targets: v.nodes.map((n) => n.target.join(" ")) })))');
        const beyond = violations.filter((v) => v.id !== 'color-contrast' ||
                                          v.targets.some((t) => !designedContrast.includes(t)));
        check.expect(beyond.length === 0, `axe-core finds no rule broken beyond the designed ` +
                     `captions' contrast (${JSON.stringify(violations)})`);
    },
});

// What the page's security policy has refused, as the browser reports it to the server.
export const nothingRefused = () => ({
    run: async (check) => {
        // A report is sent once the page has gone on; a frame or two later is enough.
        await drawn(check);
        check.expect(check.server.breaches.length === 0,
                     `the page's policy refuses nothing (${check.server.breaches})`);
    },
});

export const breachReported = () => ({
    run: (check) => new Promise((done) => {
        const end = Date.now() + 10000;
        (function poll() {
            if (check.server.breaches.length > 0 || Date.now() > end) {
                check.expect(check.server.breaches.length > 0,
                             'what the policy refuses reaches the check');
                check.server.breaches.length = 0;
                done();
            } else {
                setTimeout(poll, 50);
            }
        })();
    }),
});

// The scoring core has come; a press from now on is answered at once.
export const coreReady = () => ({
    run: (check) => waitUntil(check, "document.documentElement.dataset.core === 'ready'",
                              'the scoring core is ready'),
});

// A copy of the site as its next release: its page and script marked, and its service worker
// named anew, as a build names it by the hash of the files.
function nextRelease(site) {
    const folder = mkdtempSync(join(tmpdir(), 'tallyfen-next-release-'));
    cpSync(site, folder, { recursive: true });
    for (const [name, old, next] of [
        ['index.html', '<head>', '<head><meta name="release" content="next">'],
        ['page.js', '\n', "\ndocument.documentElement.dataset.script = 'next';\n"],
        ['service-worker.js', "const release = 'tallyfen-", "const release = 'tallyfen-next-"]]) {
        const path = join(folder, name);
        writeFileSync(path, readFileSync(path, 'utf8').replace(old, next));
    }
    return folder;
}

const releaseShown = (check) => check.browser.evaluate(
    "[document.querySelector('meta[name=release]')?.content ?? 'first', " +
    "document.documentElement.dataset.script ?? 'first']");

// Installable, kept for use without a network after one visit, and replaced whole by the next
// release, while a page already open keeps its own. On a server of its own, stopped and started
// again at the same address.
export const keptForOffline = (counts) => ({
    run: async (check) => {
        const { browser } = check;
        let server = await serve(check.site);
        const { origin } = server;
        const port = Number(new URL(origin).port);
        await check.openPage(origin);
        const manifest = await browser.cdp('Page.getAppManifest');
        const data = JSON.parse(manifest.data || '{}');
        check.expect(manifest.errors.length === 0 && data.display === 'standalone' &&
                     ['192x192', '512x512'].every((size) => data.icons.some((icon) =>
                         icon.sizes === size)),
                     `the page has a manifest: standalone, icons of 192 and 512 ` +
                     `(${JSON.stringify({ errors: manifest.errors, display: data.display })})`);
        await waitUntil(check, 'navigator.serviceWorker.controller !== null',
                        'a service worker keeps the site', 60);
        const { installabilityErrors } = await browser.cdp('Page.getInstallabilityErrors');
        check.expect(installabilityErrors.length === 0,
                     `the page can be installed (${JSON.stringify(installabilityErrors)})`);
        const wasmType = await browser.evaluate("caches.match('tallyfen-core.wasm')" +
                                                ".then((kept) => kept.headers.get('Content-Type'))");
        check.expect(wasmType === 'application/wasm',
                     `the kept core is served as application/wasm (${wasmType})`);
        await server.stop();

        // No server: the page opens and plays all the same.
        await check.openPage(origin);
        await typePlay(counts).run(check);
        await browser.press('Tab');
        await browser.press('Enter');
        await waitUntil(check, "document.getElementById('lblDP').textContent !== ''",
                        'without a network the page plays');

        const next = nextRelease(check.site);
        try {
            server = await serve(next, { port });
            await browser.evaluate('navigator.serviceWorker.ready.then((kept) => kept.update())');
            await waitUntil(check, 'caches.keys().then((names) => names.length === 2)',
                            'the next release is kept beside the one open', 60);
            await browser.evaluate('location.reload()');
            await waitUntil(check, "document.readyState === 'complete'", 'the page reloaded');
            const open = await releaseShown(check);
            check.expect(same(open, ['first', 'first']),
                         `a page open keeps the release it started with (${open})`);
            await browser.open('about:blank');
            await check.openPage(origin);
            const opened = await releaseShown(check);
            check.expect(same(opened, ['next', 'next']),
                         `once no page runs the first, the next release is opened whole (${opened})`);
            const names = await browser.evaluate('caches.keys()');
            check.expect(names.length === 1, `and the first release is gone (${names})`);
        } finally {
            await server.stop();
            rmSync(next, { recursive: true });
        }
    },
});

export const holds = (expression, what, seconds = 20) => ({
    run: (check) => waitUntil(check, expression, what, seconds),
});
