// The page's half of the window's controls (the program's half: window/web/pagecontrols.cpp). A
// transparent text field lies over each count box and a transparent button over each button and
// over an open message's OK, in the window's Tab order. The canvas draws what the player sees and
// takes every pointer; these take the keys and the text, and are what a phone's keyboard types
// into and what a screen reader reads. While a field has the focus it holds the truth and the box
// follows it; otherwise the field follows the box.
'use strict';

function createPageControls(screen) {
    const layer = document.getElementById('controls');
    const messageBox = document.getElementById('message-box');
    const spoken = document.getElementById('spoken');
    const elements = [];
    const shownBoxes = new Map();
    let program = null;
    let focusedId = -1;
    // A tap focuses its field when it ends: only then is it the player's gesture, which a phone
    // needs before it opens its keyboard.
    let touching = false;

    const isBox = (element) => element instanceof HTMLInputElement;

    function sendBox(id, input) {
        program.typed(id, input.value, input.selectionStart, input.selectionEnd,
                      input.selectionDirection === 'backward');
    }

    // Only the focused field's selection is the player's; a field takes its box's selection as it
    // takes the focus.
    function showBox(id) {
        const input = elements[id];
        const box = shownBoxes.get(id);
        if (input.value !== box.text)
            input.value = box.text;
        if (document.activeElement === input &&
            (input.selectionStart !== box.start || input.selectionEnd !== box.end))
            input.setSelectionRange(box.start, box.end, box.backward ? 'backward' : 'forward');
    }

    // Tab, and the buttons' keys, go to the window, which moves its focus or presses as on the
    // desktop; the page's focus follows the window's.
    function passKey(id, event, press) {
        if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing)
            return;
        if (program.key(id, event.key, event.shiftKey, press))
            event.preventDefault();
    }

    function addControl(id, element, name) {
        element.setAttribute('aria-label', name);
        element.addEventListener('focus', () => {
            focusedId = id;
            program.focused(id);
        });
        elements[id] = element;
        return element;
    }

    function addButton(id, name, parent) {
        const button = addControl(id, document.createElement('button'), name);
        button.type = 'button';
        // The last box's Enter goes on to the button after it.
        if (isBox(elements[id - 1]))
            elements[id - 1].enterKeyHint = 'go';
        button.addEventListener('keydown', (event) => passKey(id, event, true));
        button.addEventListener('keyup', (event) => passKey(id, event, false));
        // Keys and pointers press the window's button themselves; what is left is a screen
        // reader pressing the page's.
        button.addEventListener('click', () => program.click(id));
        parent.append(button);
    }

    // Text comes from keys, from a phone keyboard's composing (key code 229), as a whole word or
    // as a paste: whichever way, the field's whole value is the box's text.
    function addBox(id, name) {
        const input = addControl(id, document.createElement('input'), name);
        Object.assign(input, { type: 'text', inputMode: 'decimal', enterKeyHint: 'next',
                               autocomplete: 'off', spellcheck: false });
        input.setAttribute('autocapitalize', 'off');
        input.setAttribute('autocorrect', 'off');
        input.addEventListener('input', () => sendBox(id, input));
        input.addEventListener('keydown', (event) => {
            if (event.key === 'Tab')
                passKey(id, event, true);
            else if (event.key === 'Enter' && navigator.maxTouchPoints > 0)
                enterOnTouchScreen(id, event);
        });
        layer.append(input);
    }

    // On a touch screen a form's Enter goes on: to the next box ("Next"), and from the last box
    // on to Calculate, which it presses ("Go"); the keyboard then closes to show the result. With a
    // keyboard, Enter in a box presses nothing, as on the desktop.
    function enterOnTouchScreen(id, event) {
        event.preventDefault();
        program.key(id, 'Tab', false, true);
        if (!isBox(elements[id + 1]))
            program.click(id + 1);
    }

    function focusControl() {
        const element = elements[focusedId];
        if (!element || document.activeElement === element)
            return;
        element.focus();
        if (shownBoxes.has(focusedId))
            showBox(focusedId);
    }

    // The page's selection events say nothing of which field: the focused one is the one.
    document.addEventListener('selectionchange', () => {
        const id = elements.indexOf(document.activeElement);
        if (id >= 0 && isBox(document.activeElement)) {
            const input = document.activeElement;
            program.selected(id, input.selectionStart, input.selectionEnd,
                             input.selectionDirection === 'backward');
        }
    });
    // Qt takes the page's clipboard events for its canvas, from the document down; a field's own
    // cut, copy and paste are the field's, which tells the box of the text they leave.
    for (const type of ['cut', 'copy', 'paste']) {
        window.addEventListener(type, (event) => {
            if (layer.contains(event.target) || messageBox.contains(event.target))
                event.stopPropagation();
        }, true);
    }
    screen.addEventListener('touchstart', () => { touching = true; }, true);
    screen.addEventListener('touchend', () => {
        touching = false;
        focusControl();
    }, true);
    // A click on the canvas leaves the focus with the window's control.
    screen.addEventListener('focus', focusControl);
    screen.setAttribute('aria-hidden', 'true');
    // Qt focuses its canvas as it starts, which a screen reader would announce before the first
    // box: the canvas takes no focus until the program hands over its controls.
    screen.inert = true;

    return {
        attach(controls) {
            program = controls;
            screen.inert = false;
        },
        addBox,
        addButton(id, name) { addButton(id, name, layer); },
        rename(id, name) { elements[id].setAttribute('aria-label', name); },
        place(id, x, y, width, height) {
            const px = (value) => value + 'px';
            Object.assign(elements[id].style,
                          { left: px(x), top: px(y), width: px(width), height: px(height) });
        },
        showBox(id, text, start, end, backward) {
            shownBoxes.set(id, { text, start, end, backward });
            showBox(id);
        },
        focus(id) {
            focusedId = id;
            if (!touching)
                focusControl();
        },
        // Said politely, in the desktop's words; a new paragraph each time, so that the same
        // result is said again.
        announce(text) {
            const sentence = document.createElement('p');
            sentence.textContent = text;
            spoken.replaceChildren(sentence);
        },
        // While a message is open, the window's controls are out of reach, as the window is.
        openMessage(id, title, text, okName) {
            document.getElementById('message-title').textContent = title;
            document.getElementById('message-text').textContent = text;
            addButton(id, okName, messageBox);
            layer.inert = true;
            messageBox.hidden = false;
        },
        closeMessage() {
            messageBox.hidden = true;
            layer.inert = false;
            messageBox.querySelector('button').remove();
            elements.pop();
        },
    };
}
