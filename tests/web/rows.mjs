// The site check's table: each row a play in the page and what it must show and tell, named by
// what it checks. Every engine's runner reads this one table; a row that needs what an engine's
// driver cannot do is skipped there, with the reason (check-site.mjs).

import * as step from './steps.mjs';

const TYPICAL = ['90', '0', '10', '0', '0', '0', '3', '4'];
const GREAT_ABC = ['90', '0', 'abc', '0', '0', '0', '3', '4'];
const BOXES = ['Marvelous count', 'Perfect count', 'Great count', 'Good count', 'Boo count',
               'Miss count', 'OK count', 'Max OK count'];
const CONTROLS = [...BOXES, 'Calculate', 'Help'];
// The desktop window after the same play (tools/screenshot.sh).
const DESKTOP = 'docs/screenshot.png';
// The captions whose colours on the blue are below the contrast the rules ask for, by design.
const DESIGNED_CONTRAST = ['#lblBoo', '#lblMiss', '#lblOK', '#lblMaxOK'];
const PHONE = { width: 360, height: 640, mobile: true };
const PHONES = {
    Android: { userAgent: 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, ' +
                          'like Gecko) Chrome/126.0 Mobile Safari/537.36', platform: 'Linux armv8l' },
    iPhone: { userAgent: 'Mozilla/5.0 (iPhone; CPU iPhone OS 17_5 like Mac OS X) AppleWebKit/' +
                         '605.1.15 (KHTML, like Gecko) Version/17.5 Mobile/15E148 Safari/604.1',
              platform: 'iPhone' },
};

const calculateWithSpace = [step.press('Tab'), step.press(' ')];
const abcMessage = step.messageOpen({ title: 'Tallyfen', quoting: '"abc"', warning: true });
const helpMessage = step.messageOpen({ title: 'Tallyfen', quoting: 'Boos take away 4',
                                       warning: false });
const readsBoxes = (names, values) => step.readsControls([
    ...names.map((name, i) => ['textbox', name, values[i]]),
    ['button', 'Calculate', null], ['button', 'Help', null]]);

export const rows = [
    {
        name: 'the page: titled Tallyfen, the window whole in its middle, the Marvelous box ' +
              'focused with its 0 selected',
        steps: [step.titled('Tallyfen'), step.windowPlaced({ whole: true }),
                step.focused('Marvelous count', '0', 0, 1)],
    },
    {
        name: 'the typical play, typed with Tab from box to box and calculated with Space, is the ' +
              'desktop window and is said politely; an edit takes the percentage, the picture ' +
              'and the award off, and leaves the rest',
        steps: [step.typePlay(TYPICAL), ...calculateWithSpace, step.resultShown('92.8571'),
                step.windowLooksLike(DESKTOP),
                step.holds("document.querySelector('[aria-live=polite]').textContent" +
                           ".startsWith('92.8571 percent, grade A, ')", 'the result is said'),
                step.policyRefused(false), step.press('Tab', 'Shift'), step.type('5'),
                step.shows({ lblDP: '', imgA: false, lblAward: '', lblNearlyGot: 'AA',
                             lblMaxDP: '0.1429', lblShowDP: '208', lblShowMaxDP: '224' })],
    },
    {
        name: '100 % with five Perfects is the desktop window: AAA, 0.0000 away from AAAA, ' +
              'Single Digit Perfects on two lines',
        steps: [step.typePlay(['200', '5', '0', '0', '0', '0', '3', '3']), ...calculateWithSpace,
                step.resultShown('100'),
                step.windowLooksLike('tests/web/desktop/single-digit-perfects.png')],
    },
    {
        name: 'a play with a Good is AA at 99.0099 %, 0.9901 away from AAA, with no award',
        steps: [step.typePlay(['100', '0', '0', '1', '0', '0', '0', '0']), ...calculateWithSpace,
                step.resultShown('99.0099'),
                step.shows({ imgAA: true, imgAAA: false, lblNearlyGot: 'AAA', lblMaxDP: '0.9901',
                             lblAward: '', lblShowDP: '200', lblShowMaxDP: '202' })],
    },
    {
        name: "in a German browser a box's decimal comma is read as the desktop reads it there, " +
              'and the result written with one',
        needs: ['locale'],
        steps: [step.locale('de-DE'),
                step.typePlay(['89,5', '0', '10', '0', '0', '0', '3', '4']),
                ...calculateWithSpace, step.resultShown('92,8571')],
    },
    {
        name: 'a box that is not a number: Enter in a box presses nothing; Calculate opens a ' +
              'warning quoting it, Esc closes it, the box has the focus with its text selected, ' +
              'and a click on Calculate after it is the desktop window',
        steps: [step.typePlay(GREAT_ABC), step.press('Enter'), step.coreReady(),
                step.shows({ lblDP: '' }), step.messageClosed(), ...calculateWithSpace,
                abcMessage, step.press('Escape'), step.messageClosed(),
                step.focused('Great count', 'abc', 0, 3), step.type('10'),
                step.click('cmdCalculate'), step.resultShown('92.8571'),
                step.windowLooksLike(DESKTOP), step.policyRefused(false)],
    },
    {
        name: 'a box holding markup is quoted in its message as text, never parsed',
        steps: [step.typePlay(['<b>90</b>', '0', '10', '0', '0', '0', '3', '4']),
                ...calculateWithSpace,
                step.messageOpen({ title: 'Tallyfen', quoting: '"<b>90</b>"', warning: true }),
                step.holds("document.querySelector('#messageBox b') === null",
                           'no element is made of it')],
    },
    {
        name: 'Tab goes through the boxes, Calculate and Help in the desktop order; Enter on "?" ' +
              'opens the help and Enter closes it, back on "?"; Shift+Tab goes back',
        steps: [step.tabsThrough(CONTROLS.slice(1)), step.press('Enter'), helpMessage,
                step.press('Enter'), step.messageClosed(), step.focused('Help', null, null, null),
                step.tabsThrough(CONTROLS.slice(0, -1).reverse(), 'Shift')],
    },
    {
        name: "a box's text selected with Ctrl+A, copied and pasted into the next box",
        steps: [step.type('1234'), step.press('a', 'Control'), step.press('c', 'Control'),
                step.press('Tab'), step.press('v', 'Control'),
                step.focused('Perfect count', '1234', 4, 4)],
    },
    {
        name: 'a click on the Boo caption turns it into Uber, and its box is read as the Uber count',
        steps: [step.click('lblBoo'), step.shows({ lblBoo: 'Uber' }),
                step.holds("document.getElementById('txtBoo').getAttribute('aria-label') === " +
                           "'Uber count'", 'the Boo box is named Uber count')],
    },
    {
        name: 'zoomed to 200 %, the window is drawn afresh at twice the size, with the grade ' +
              'picture drawn at twice the size, the play and its result kept; back at 100 %, it ' +
              'is as it was',
        needs: ['zoom'],
        steps: [step.typePlay(TYPICAL), ...calculateWithSpace, step.resultShown('92.8571'),
                step.resize(640, 400, { scale: 2 }),
                step.windowLooksLike('docs/screenshot@2x.png', ['imgA']),
                step.holds("document.getElementById('imgA').currentSrc.endsWith('/A@2x.jpg')",
                           'the picture drawn at twice the size is shown'),
                step.shows({ txtMarvelous: '90', txtGreat: '10', lblDP: '92.8571',
                             lblAward: 'Full Combo' }),
                step.resize(1280, 800), step.windowLooksLike(DESKTOP)],
    },
    {
        name: "axe-core finds no rule broken beyond the designed captions' contrast, at opening " +
              'and with a message open',
        steps: [step.passesAxe(DESIGNED_CONTRAST), step.typePlay(GREAT_ABC),
                ...calculateWithSpace, abcMessage, step.passesAxe(DESIGNED_CONTRAST)],
    },
    {
        name: "what the page's policy refuses reaches the check: a style added by a script",
        steps: [step.script("document.head.append(Object.assign(document.createElement('style')," +
                            " { textContent: 'main { color: red; }' }))"),
                step.policyRefused(true)],
    },
    {
        name: 'on a phone 360 pixels wide the whole window is in view; the help tapped open and ' +
              'its OK tapped; each box tapped and typed over; Calculate tapped',
        needs: ['phone'], viewport: PHONE,
        steps: [step.windowPlaced({ whole: true }), step.tap('cmdHelp'), helpMessage,
                step.tap('messageOK'), step.messageClosed(),
                ...[['txtMarvelous', '90'], ['txtGreat', '10'], ['txtOK', '3'], ['txtMaxOK', '4']]
                    .flatMap(([box, count]) => [step.tap(box), step.press('a', 'Control'),
                                                step.type(count)]),
                step.tap('cmdCalculate'), step.resultShown('92.8571'),
                step.windowLooksLike(DESKTOP)],
    },
    {
        name: 'the window keeps to the middle of what an open phone keyboard leaves, and of a ' +
              'turned phone; a page smaller than the window keeps its top-left corner in view',
        needs: ['phone'], viewport: PHONE,
        steps: [[360, 340, true], [640, 360, true], [300, 200, false]].flatMap(
            ([width, height, whole]) => [step.resize(width, height, { mobile: true }),
                                         step.windowPlaced({ whole })]),
    },
    ...Object.entries(PHONES).flatMap(([phone, device]) => Object.keys(step.PHONE_TYPING).map(
        (way) => ({
            name: `${phone}, ${way}: a tap on a box opens the number keyboard in it; Backspace, ` +
                  'the count and Enter in each box, Enter in the last calculates',
            needs: ['phone'], viewport: PHONE, phone: device,
            steps: [step.tap('txtMarvelous'),
                    step.holds("document.activeElement.id === 'txtMarvelous' && " +
                               "document.activeElement.inputMode === 'decimal'",
                               'the Marvelous box has the focus, with the number keyboard'),
                    ...TYPICAL.flatMap((count) => [step.phoneKey('Backspace', 8),
                                                   step.phoneType(way, count),
                                                   step.phoneKey('Enter', 13)]),
                    step.resultShown('92.8571'), step.windowLooksLike(DESKTOP)],
        }))),
    {
        name: 'a screen reader finds the boxes, Calculate and Help by name in Tab order, with the ' +
              "play's values, and the Uber count",
        needs: ['accessibility tree'],
        steps: [readsBoxes(BOXES, Array(8).fill('0')), step.typePlay(TYPICAL), step.click('lblBoo'),
                readsBoxes(BOXES.map((box) => box.replace('Boo', 'Uber')), TYPICAL)],
    },
    {
        name: 'when the scoring core cannot be fetched, the page says to reload it; a play ' +
              'typed and calculated is kept, with no result and no message',
        servedApart: { refuse: ['/tallyfen-core.wasm'] },
        steps: [step.holds("!document.getElementById('notLoaded').hidden", 'the page says it ' +
                           'could not load all of itself'),
                step.typePlay(TYPICAL), ...calculateWithSpace, step.messageClosed(),
                step.shows({ txtMarvelous: '90', txtMaxOK: '4', lblDP: '', lblShowDP: '' })],
    },
    {
        name: 'without WebAssembly the page says so, and points to the programs',
        needs: ['before load'], beforeLoad: 'delete window.WebAssembly;',
        steps: [step.holds("!document.getElementById('noWebAssembly').hidden && document" +
                           ".getElementById('noWebAssembly').textContent.includes('Windows')",
                           'the page says it cannot run without WebAssembly')],
    },
    {
        name: 'with JavaScript off the page says it needs it',
        needs: ['script off'], scriptOff: true,
        steps: [step.holds("document.querySelector('noscript p')?.offsetParent !== null && " +
                           "document.querySelector('noscript p').textContent.includes(" +
                           "'needs JavaScript')", 'the page says it needs JavaScript')],
    },
    {
        name: 'installable and kept: a manifest (standalone, icons of 192 and 512); the page ' +
              'opens and plays without a network; a next release is kept whole beside the one ' +
              'open, which keeps its own, and opened once no page runs the first',
        needs: ['installing'], ownServer: true,
        steps: [step.keptForOffline(TYPICAL)],
    },
];
