// Starts Tallyfen in the page: checks that the browser can run it, downloads the program while a
// bar shows how much has come, and hands the page's canvas to the program as its screen.
'use strict';

(function () {
    const home = 'https://tallyfen.github.io/Tallyfen/';
    const root = document.documentElement;
    const program = root.dataset.program;
    const programBytes = Number(root.dataset.programBytes);
    const status = document.getElementById('status');
    const message = document.getElementById('message');
    const progress = document.getElementById('progress');
    const screen = document.getElementById('screen');

    // A sentence for the player in place of the program; where the browser is the cause, with the
    // ways to Tallyfen that need none.
    function stop(sentence, state, pointToPrograms) {
        progress.hidden = true;
        status.hidden = false;
        root.dataset.state = state;
        message.textContent = sentence;
        if (!pointToPrograms)
            return;
        message.append(' Tallyfen also runs as a program for ');
        const link = (text, anchor) => {
            const a = document.createElement('a');
            a.href = home + anchor;
            a.textContent = text;
            return a;
        };
        message.append(link('Linux', '#installing'), ' and ', link('Windows', '#on-windows'), '.');
    }

    function hasWebGL() {
        try {
            const canvas = document.createElement('canvas');
            return !!(canvas.getContext('webgl2') || canvas.getContext('webgl'));
        } catch (error) {
            return false;
        }
    }

    // The program's bytes as they arrive, counted for the bar; compiled while they come.
    function countedDownload(url) {
        return fetch(url).then((response) => {
            if (!response.ok)
                throw new Error(url + ': ' + response.status + ' ' + response.statusText);
            let received = 0;
            const reader = response.body.getReader();
            const counted = new ReadableStream({
                pull(controller) {
                    return reader.read().then(({ done, value }) => {
                        if (done) {
                            controller.close();
                            return;
                        }
                        received += value.byteLength;
                        progress.value = Math.min(received / programBytes, 1);
                        controller.enqueue(value);
                    });
                },
            });
            return new Response(counted, { headers: { 'Content-Type': 'application/wasm' } });
        });
    }

    function loadScript(url) {
        return new Promise((resolve, reject) => {
            const script = document.createElement('script');
            script.src = url;
            script.onload = resolve;
            script.onerror = () => reject(new Error(url + ' could not be loaded'));
            document.body.append(script);
        });
    }

    // Once the program runs, so that nothing competes with its download, the site is kept for use
    // without a network (where the page's address is secure; a file:// page has no workers).
    function keepForOffline() {
        if ('serviceWorker' in navigator && window.isSecureContext)
            navigator.serviceWorker.register('service-worker.js').catch(() => {});
    }

    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiateStreaming !== 'function') {
        stop('This browser cannot run Tallyfen: it does not run WebAssembly.', 'unsupported', true);
        return;
    }
    if (!hasWebGL()) {
        stop('This browser cannot run Tallyfen: it has no WebGL to draw with.', 'unsupported', true);
        return;
    }

    const broken = (error) => stop('Tallyfen could not start here (' + error + ').', 'broken', true);
    const download = countedDownload(program + '.wasm');
    loadScript(program + '.js')
        .then(() => createQtAppInstance({
            qtContainerElements: [screen],
            tallyfenPage: createPageControls(screen),
            instantiateWasm(imports, instantiated) {
                download
                    .then((response) => WebAssembly.instantiateStreaming(response, imports))
                    .then((result) => instantiated(result.instance, result.module), broken);
                return {};
            },
            // Once the program has shown its window, the canvas is the page.
            postRun: [() => {
                status.hidden = true;
                root.dataset.state = 'running';
                keepForOffline();
            }],
            onAbort: broken,
            // Closing the window ends the program; the page says how to start it again.
            quit() {
                stop('Tallyfen has ended. Reload the page to start it again.', 'ended', false);
            },
        }))
        .catch(broken);
})();
