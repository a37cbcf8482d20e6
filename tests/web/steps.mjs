// The words the site check's rows are written in: what a player does, and what the page then
// shows or tells. Each is a step, run with one row's check: `check.browser` drives the page and
// `check.expect(condition, what)` records an outcome.

import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import * as pixels from './pixels.mjs';
import { serve } from './serve.mjs';

const BLUE = [0, 0, 255];
// Text drawn with other hinting than the desktop's is softened away: both windows are blurred
// alike, and a pixel differs where its grey differs by more than this. A window may differ in
// this share of its pixels.
const SOFTENING = 1.5;
const LARGEST_DIFFERENCE = 40;
const MOST_DIFFERING = 0.005;

// The focused element as a screen reader names it, its text and its selection.
const FOCUSED = `(() => { const e = document.activeElement, box = e.tagName === 'INPUT';
    return [e.getAttribute('aria-label') ?? e.textContent, box ? e.value : null,
            box ? e.selectionStart : null, box ? e.selectionEnd : null]; })()`;
// Equal as JSON, whatever order an object's keys come back in.
const canonical = (value) => JSON.stringify(value, (key, v) => (v?.constructor === Object ?
    Object.fromEntries(Object.entries(v).sort(([a], [b]) => (a < b ? -1 : 1))) : v));
const same = (a, b) => canonical(a) === canonical(b);
const byId = (id) => `document.getElementById('${id}')`;

// Waits inside the page until the expression, or the promise it gives, holds, and expects it to.
export const holds = (expression, what, seconds = 20) => async (check) => {
    const held = await check.browser.evaluate(`new Promise((done) => {
        const end = performance.now() + ${seconds * 1000};
        (async function poll() {
            if (await (${expression})) done(true);
            else if (performance.now() > end) done(false);
            else setTimeout(poll, 20);
        })(); })`);
    check.expect(held === true, what);
    return held === true;
};

// The page once the faces its text asks for have come, and the frame that draws the last change.
async function screenshot(check) {
    await check.browser.evaluate('document.fonts.ready.then(() => new Promise((done) => ' +
                                 'requestAnimationFrame(() => requestAnimationFrame(done))))');
    const image = pixels.decode(await check.browser.screenshot());
    return { image, area: pixels.boundingBox(image, BLUE, true) };
}

// What a player does.

export const type = (text) => (check) => check.browser.type(text);
export const press = (key, ...modifiers) => (check) => check.browser.press(key, ...modifiers);
export const click = (id) => (check) => check.browser.clickElement(id);
export const tap = (id) => async (check) => check.browser.tap(...await check.browser.evaluate(
    `(() => { const r = ${byId(id)}.getBoundingClientRect();
              return [r.x + r.width / 2, r.y + r.height / 2]; })()`));
// The page's viewport at another size, or zoomed: its pixels `scale` times a CSS pixel.
export const resize = (width, height, options) => (check) =>
    check.browser.setViewport(width, height, options);
// The browser's language for this page, as a player's own browser in that locale has it.
export const locale = (name) => (check) =>
    check.browser.cdp('Emulation.setLocaleOverride', { locale: name });
// Script in the page, as a screen reader or the browser does what no key does.
export const script = (code) => (check) => check.browser.evaluate(code);

// The eight counts typed as the desktop's screenshots were taken: all of the first box selected
// and typed over, then Tab from box to box, which selects the box's text.
export const typePlay = (counts) => async (check) => {
    await check.browser.press('a', 'Control');
    for (const [i, count] of counts.entries()) {
        if (i > 0)
            await check.browser.press('Tab');
        await check.browser.type(count);
    }
};

// Chromium's own input commands, as a phone's keyboard sends text: a key at a time with its text
// (an iPhone), key code 229 and then the text (Android), or a whole word or paste at once.
const key = (check, type, name, more = {}) =>
    check.browser.cdp('Input.dispatchKeyEvent', { type, key: name, ...more });
const composing = { windowsVirtualKeyCode: 229 };
export const PHONE_TYPING = {
    'keys with text': async (check, text) => {
        for (const c of text)
            await key(check, 'keyDown', c, { text: c }).then(() => key(check, 'keyUp', c));
    },
    'key code 229': async (check, text) => {
        for (const c of text) {
            await key(check, 'rawKeyDown', 'Unidentified', composing);
            await check.browser.cdp('Input.insertText', { text: c });
            await key(check, 'keyUp', 'Unidentified', composing);
        }
    },
    'committed text': (check, text) => check.browser.cdp('Input.insertText', { text }),
};
export const phoneType = (way, text) => (check) => PHONE_TYPING[way](check, text);
export const phoneKey = (name, code) => async (check) => {
    await key(check, 'rawKeyDown', name, { windowsVirtualKeyCode: code });
    await key(check, 'keyUp', name, { windowsVirtualKeyCode: code });
};

// What the page shows or tells.

export const titled = (title) => async (check) => {
    const shown = await check.browser.evaluate('document.title');
    check.expect(shown === title, `the page is titled ${title} (${shown})`);
};

export const resultShown = (percent) =>
    holds(`${byId('lblDP')}.textContent === '${percent}'`, `the result shows ${percent}`);
export const coreReady = () => holds("document.documentElement.dataset.core === 'ready'",
                                     'the scoring core is ready');
export const messageClosed = () => holds(`!${byId('messageBox')}.open`, 'no message is open');

// The texts of boxes and labels, and whether pictures show, by name.
export const shows = (expected) => async (check) => {
    const shown = await check.browser.evaluate(`Object.fromEntries(${JSON.stringify(
        Object.keys(expected))}.map((id) => { const e = document.getElementById(id);
            return [id, { IMG: !e.hidden, INPUT: e.value }[e.tagName] ?? e.textContent]; }))`);
    check.expect(same(shown, expected), `the window shows ${canonical(expected)} ` +
                 `(${canonical(shown)})`);
};

// One look at the window: whether it is drawn whole in the middle of the page, and how many of
// the pixels of its parts differ from the desktop's once softened.
async function lookAtWindow(check, expected, parts) {
    const { image, area } = await screenshot(check);
    const size = area && [area[2] - area[0], area[3] - area[1]];
    const offCentre = area && [area[0] + area[2] - image.width, area[1] + area[3] - image.height];
    const placed = same(size, [expected.width, expected.height]) &&
                   offCentre.every((off) => Math.abs(off) <= 2);
    const window = placed && pixels.crop(image, area);
    const differing = placed ? parts.reduce((sum, part) => sum + pixels.differingPixels(
        pixels.crop(window, part), pixels.crop(expected, part), SOFTENING, LARGEST_DIFFERENCE), 0)
        : null;
    return { area, placed, window, differing };
}

// The window drawn whole in the middle of the page, as the desktop draws it after the same play
// (tools/screenshot.sh): its size, and all but a few of its pixels once softened; or only those
// of the controls named. A browser decodes a picture apart from drawing the page, so one just
// shown can be missing from the next frames: a window that differs is looked at again, for up to
// a few seconds.
export const windowLooksLike = (reference, controls = null) => async (check) => {
    const expected = pixels.decode(readFileSync(join(check.source, reference)));
    const parts = controls ? await check.browser.evaluate(`${JSON.stringify(controls)}.map((id) => {
        const frame = ${byId('frmTallyfen')}.getBoundingClientRect();
        const r = document.getElementById(id).getBoundingClientRect();
        return [r.left - frame.left, r.top - frame.top, r.right - frame.left,
                r.bottom - frame.top].map((side) => Math.round(side * devicePixelRatio)); })`)
        : [[0, 0, expected.width, expected.height]];
    const compared = parts.reduce((sum, part) => sum + (part[2] - part[0]) * (part[3] - part[1]), 0);
    const most = Math.floor(MOST_DIFFERING * compared);
    const end = Date.now() + 5000;
    let seen;
    do
        seen = await lookAtWindow(check, expected, parts);
    while (!(seen.placed && seen.differing <= most) && Date.now() < end);
    if (!check.expect(seen.placed, `the window is ${expected.width} x ${expected.height} pixels ` +
                      `in the middle of the page (${seen.area})`))
        return;
    check.save(seen.window);
    check.expect(seen.differing <= most, `${controls ?? 'the window'} as the desktop draws it ` +
                 `after the same play (${seen.differing} pixels of ${compared} differ, at most ` +
                 `${most})`);
};

// The window on a page around it: whole in its middle, or where it does not fit, its top-left
// corner in view.
export const windowPlaced = ({ whole }) => async (check) => {
    const { image, area } = await screenshot(check);
    const offCentre = [area[0] + area[2] - image.width, area[1] + area[3] - image.height];
    check.expect(whole ? same([area[2] - area[0], area[3] - area[1]], [342, 270]) &&
                         offCentre.every((off) => Math.abs(off) <= 2) : same(area.slice(0, 2), [0, 0]),
                 `the window ${whole ? 'whole in the middle of' : 'with its top-left corner in ' +
                     'view of'} the ${image.width} x ${image.height} page (${area})`);
};

export const focused = (...expected) => async (check) => {
    await holds(`'${canonical(expected)}' === JSON.stringify(${FOCUSED})`,
                `the focus is on ${expected[0]}, holding ${expected[1]}, ${expected[2]} to ` +
                `${expected[3]} selected`, 5)(check);
    check.note(`focus: ${JSON.stringify(await check.browser.evaluate(FOCUSED))}`);
};

// Tab (or Shift+Tab) from the focus, control after control.
export const tabsThrough = (names, ...modifiers) => async (check) => {
    const visited = [];
    for (const _ of names) {
        await check.browser.press('Tab', ...modifiers);
        visited.push((await check.browser.evaluate(FOCUSED))[0]);
    }
    check.expect(same(visited, names), `${[...modifiers, 'Tab'].join('+')} goes through ` +
                 `${names.join(', ')} (${visited.join(', ')})`);
};

// An open message: the page's modal dialog, an alert with its title and text, OK focused.
export const messageOpen = ({ title, quoting, warning }) => async (check) => {
    if (!await holds(`${byId('messageBox')}.open`, 'a message opens')(check))
        return;
    const shown = await check.browser.evaluate(`(() => {
        const box = ${byId('messageBox')}, read = (id) => document.getElementById(id).textContent;
        return [box.matches(':modal'), box.getAttribute('role'),
                read(box.getAttribute('aria-labelledby')), !${byId('messageWarning')}.hidden,
                document.activeElement.id, read(box.getAttribute('aria-describedby'))]; })()`);
    check.expect(same(shown.slice(0, 5), [true, 'alertdialog', title, warning, 'messageOK']) &&
                 shown[5].includes(quoting),
                 `a modal alert titled ${title}${warning ? ', with the warning sign,' : ''} says ` +
                 `${JSON.stringify(quoting)}, OK focused (${JSON.stringify(shown)})`);
};

// The page's text fields and buttons as Chromium's accessibility tree gives them to a screen
// reader: role, name and value, in order.
export const readsControls = (expected) => async (check) => {
    const { nodes } = await check.browser.cdp('Accessibility.getFullAXTree');
    const controls = nodes.filter((n) => !n.ignored && ['textbox', 'button'].includes(n.role?.value))
        .map((n) => [n.role.value, n.name?.value ?? '', n.value?.value ?? null]);
    check.expect(same(controls, expected), `a screen reader finds ${canonical(expected)} ` +
                 `(${canonical(controls)})`);
};

// axe-core's rules, run in the page: none broken but the contrast of the captions the window was
// designed with on its blue.
export const passesAxe = (designedContrast) => async (check) => {
    const violations = await check.browser.evaluate(`(() => {
        ${readFileSync(check.axe, 'utf8')};
        return axe.run(document).then((r) => r.violations.map((v) =>
            ({ id: v.id, targets: v.nodes.map((n) => n.target.join(' ')) }))); })()`);
    check.expect(violations.every((v) => v.id === 'color-contrast' &&
                                  v.targets.every((t) => designedContrast.includes(t))),
                 `axe-core finds no rule broken beyond the designed captions' contrast ` +
                 `(${JSON.stringify(violations)})`);
};

// What the page's policy has refused, as the browser reported it: nothing, or at least once.
export const policyRefused = (expected) => async (check) => {
    const end = Date.now() + (expected ? 10000 : 300);
    while ((check.server.breaches.length > 0) !== expected && Date.now() < end)
        await new Promise((done) => setTimeout(done, 50));
    check.expect((check.server.breaches.length > 0) === expected, expected ?
        'what the page\'s policy refuses reaches the check' :
        `the page's policy refuses nothing (${check.server.breaches})`);
};

// A copy of the site as its next release: its page and script marked, its service worker named
// anew, as a build names it by the hash of the files.
function nextRelease(site) {
    const folder = mkdtempSync(join(tmpdir(), 'tallyfen-next-release-'));
    cpSync(site, folder, { recursive: true });
    for (const [name, old, next] of [
        ['index.html', '<head>', '<head><meta name="release" content="next">'],
        ['page.js', '\n', "\ndocument.documentElement.dataset.script = 'next';\n"],
        ['service-worker.js', "release = 'tallyfen-", "release = 'tallyfen-next-"]])
        writeFileSync(join(folder, name), readFileSync(join(folder, name), 'utf8').replace(old, next));
    return folder;
}

const RELEASE = "[document.querySelector('meta[name=release]')?.content ?? 'first', " +
                "document.documentElement.dataset.script ?? 'first']";

// Installable, kept for use without a network after one visit, and replaced whole by the next
// release, while a page already open keeps its own: on a server of its own, stopped and started
// again at the same address.
export const keptForOffline = (counts) => async (check) => {
    const { browser } = check;
    let server = await serve(check.site);
    const { origin } = server;
    await check.openPage(origin);
    const { errors, data } = await browser.cdp('Page.getAppManifest');
    const manifest = JSON.parse(data || '{}');
    check.expect(errors.length === 0 && manifest.display === 'standalone' &&
                 ['192x192', '512x512'].every((s) => manifest.icons.some((i) => i.sizes === s)),
                 `a manifest: standalone, icons of 192 and 512 (${canonical(errors)})`);
    await holds('navigator.serviceWorker.controller !== null', 'a service worker keeps it', 60)(check);
    const { installabilityErrors } = await browser.cdp('Page.getInstallabilityErrors');
    check.expect(installabilityErrors.length === 0, `it can be installed (${canonical(installabilityErrors)})`);
    await holds("caches.match('tallyfen-core.wasm').then((kept) => " +
                "kept.headers.get('Content-Type') === 'application/wasm')",
                'the core is kept as application/wasm')(check);
    await server.stop();

    await check.openPage(origin);
    await typePlay(counts)(check);
    await browser.press('Tab');
    await browser.press('Enter');
    await holds(`${byId('lblDP')}.textContent !== ''`, 'without a network the page plays')(check);

    const next = nextRelease(check.site);
    try {
        server = await serve(next, { port: Number(new URL(origin).port) });
        await browser.evaluate('navigator.serviceWorker.ready.then((kept) => kept.update())');
        await holds('caches.keys().then((names) => names.length === 2)',
                    'the next release is kept beside the one open', 60)(check);
        await browser.evaluate('location.reload()');
        await holds("document.readyState === 'complete'", 'the page reloaded')(check);
        check.expect(same(await browser.evaluate(RELEASE), ['first', 'first']),
                     'a page open keeps the release it started with');
        // The next release takes over a moment after the last page of the first has gone; a
        // page opened within that moment is the first's, and waits again.
        const end = Date.now() + 20000;
        let opened;
        do {
            await browser.open('about:blank');
            await check.openPage(origin);
            opened = await browser.evaluate(RELEASE);
        } while (!same(opened, ['next', 'next']) && Date.now() < end);
        check.expect(same(opened, ['next', 'next']),
                     'once no page runs the first, the next release is opened whole');
        check.expect((await browser.evaluate('caches.keys()')).length === 1,
                     'and the first release is gone');
    } finally {
        await server.stop();
        rmSync(next, { recursive: true });
    }
};
