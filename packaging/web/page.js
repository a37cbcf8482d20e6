// The window's event procedures in the page: they read the page's elements, call the scoring
// core (C++ compiled to WebAssembly), and write what it answers. Every rule and every sentence is
// the core's; the elements are the form's, found by its names.

const byId = (id) => document.getElementById(id);
const release = document.documentElement.dataset.release;
// The count boxes in the form's Tab order, which is the order the core reads them in.
const boxes = [...byId('frmTallyfen').querySelectorAll('input')];
const calculateButton = byId('cmdCalculate');
const messageBox = byId('messageBox');
// The box that takes the focus once the open message is closed.
let boxAtFault = null;

// The window opens with the first box's text selected: the first digits typed replace it.
boxes[0].focus();
boxes[0].select();

if (typeof WebAssembly !== 'object') {
    byId('noWebAssembly').hidden = false;
} else {
    const state = document.documentElement.dataset;
    const core = import(`./tallyfen-core.js?release=${release}`)
        .then(({ default: createCore }) =>
            createCore({ locateFile: (file) => `${file}?release=${release}` }))
        .then((module) => {
            state.core = 'ready';
            return module;
        }, (error) => {
            state.core = 'missing';
            byId('notLoaded').hidden = false;
            throw error;
        });
    wire(core);
    // Kept for use without a network, once the page has what it needs.
    if ('serviceWorker' in navigator)
        core.then(() => navigator.serviceWorker.register('service-worker.js'));
}

// A press before the core has arrived is answered once it has.
function wire(core) {
    const answer = (call) => core.then((module) => JSON.parse(call(module)));
    for (const box of boxes) {
        box.addEventListener('input', clearResult);
        box.addEventListener('keydown', goOnFromBox);
    }
    calculateButton.addEventListener('click', () => answer(calculate).then(showOutcome));
    byId('cmdHelp').addEventListener('click',
                                     () => answer((m) => m.UTF8ToString(m._tallyfen_help_message()))
                                               .then((message) => openMessage(message, null)));
    byId('lblBoo').addEventListener('click',
                                    () => answer((m) => m.UTF8ToString(m._tallyfen_clicked_boo()))
                                              .then(renameBoo));
    byId('messageOK').addEventListener('click', () => messageBox.close());
    messageBox.addEventListener('close', focusBoxAtFault);
}

// The eight texts and the locale's separators, as UTF-8 in the core's memory for the call.
function calculate(module) {
    const texts = [...boxes.map((box) => box.value), ...localeSeparators()];
    const pointers = texts.map((text) => {
        const bytes = module.lengthBytesUTF8(text) + 1;
        const pointer = module._malloc(bytes);
        module.stringToUTF8(text, pointer, bytes);
        return pointer;
    });
    try {
        return module.UTF8ToString(module._tallyfen_calculate(...pointers));
    } finally {
        pointers.forEach(module._free);
    }
}

// The separators of the player's locale, as the desktop takes them from its own.
function localeSeparators() {
    const parts = new Intl.NumberFormat(undefined, { useGrouping: true })
        .formatToParts(12345678.5);
    const part = (type) => parts.find((p) => p.type === type)?.value ?? '';
    return [part('decimal'), part('group')];
}

function showOutcome(outcome) {
    if (outcome.message) {
        openMessage(outcome.message, boxes[outcome.box]);
        return;
    }
    const { result } = outcome;
    byId('lblDP').textContent = result.percent;
    if (result.grade)
        byId(`img${result.grade}`).hidden = false;
    byId('lblNearlyGot').textContent = result.nextGrade;
    byId('lblMaxDP').textContent = result.distance;
    if (result.award)
        byId('lblAward').textContent = result.award;
    byId('lblShowDP').textContent = result.dp;
    byId('lblShowMaxDP').textContent = result.maxDp;
    // A new paragraph each time, so that the same result is said again.
    const spoken = document.createElement('p');
    spoken.textContent = outcome.spoken;
    byId('spoken').replaceChildren(spoken);
}

// An edit takes the result off the window until the next Calculate.
function clearResult() {
    byId('lblDP').textContent = '';
    for (const picture of byId('frmTallyfen').querySelectorAll('img'))
        picture.hidden = true;
    byId('lblAward').textContent = '';
}

function renameBoo(boo) {
    byId('lblBoo').textContent = boo.caption;
    byId('txtBoo').setAttribute('aria-label', boo.name);
}

function openMessage(message, box) {
    byId('messageTitle').textContent = message.title;
    byId('messageText').textContent = message.text;
    byId('messageWarning').hidden = !message.warning;
    boxAtFault = box;
    // The box takes the focus to its OK, its one control.
    messageBox.showModal();
}

function focusBoxAtFault() {
    if (!boxAtFault)
        return;
    boxAtFault.focus();
    boxAtFault.select();
    boxAtFault = null;
}

// On a touch screen a box's Enter goes on: to the next box ("Next"), and from the last one on to
// Calculate, which it presses ("Go"); the keyboard then closes to show the result. With a
// keyboard at a desktop, Enter in a box presses nothing.
function goOnFromBox(event) {
    if (event.key !== 'Enter' || navigator.maxTouchPoints === 0)
        return;
    event.preventDefault();
    const next = boxes[boxes.indexOf(event.target) + 1];
    if (next) {
        next.focus();
        next.select();
    } else {
        calculateButton.focus();
        calculateButton.click();
    }
}
