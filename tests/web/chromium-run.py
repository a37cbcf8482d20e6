#!/usr/bin/python3
"""Runs a program of the web build (a Qt test) in a page of headless Chromium, as the program runs
on the site: its canvas is the screen. Prints what the program writes, and exits with its code.

    chromium-run.py PROGRAM.js [ARGUMENTS...]
"""

import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import devtools  # noqa: E402

# The program starts in a bare page; what it writes and how it ends come back through two
# bindings of the DevTools protocol.
RUNNER_PAGE = """<!doctype html>
<html><head><meta charset="utf-8"><style>
html, body { margin: 0; height: 100%; } canvas { display: block; width: 100vw; height: 100vh; }
</style></head><body><canvas id="screen"></canvas><script>
'use strict';
const report = (kind, value) => window.tallyfenReport(JSON.stringify([kind, value]));
window.addEventListener('error', (event) => report('abort', String(event.message)));
const program = document.createElement('script');
program.src = PROGRAM + '.js';
program.onload = () => createQtAppInstance({
    arguments: ARGUMENTS,
    qtContainerElements: [document.getElementById('screen')],
    print: (line) => report('out', line),
    printErr: (line) => report('err', line),
    onAbort: (what) => report('abort', String(what)),
    quit: (code) => report('exit', code),
});
document.body.append(program);
</script></body></html>
"""


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    program = os.path.abspath(sys.argv[1])
    folder, name = os.path.split(program)
    name = name.removesuffix(".js")
    page_text = (RUNNER_PAGE.replace("PROGRAM", json.dumps(name))
                 .replace("ARGUMENTS", json.dumps(sys.argv[2:])))
    extra = {"/__run.html": ("text/html; charset=utf-8", page_text.encode())}
    timeout = float(os.environ.get("TALLYFEN_WEB_RUN_SECONDS", "540"))

    with devtools.serve(folder, extra) as origin, devtools.Chromium() as chromium:
        page = chromium.new_page()
        page.set_viewport(1280, 800)
        page.send("Runtime.enable")
        page.send("Runtime.addBinding", name="tallyfenReport")
        page.send("Page.enable")
        page.send("Page.navigate", url=origin + "/__run.html")
        while True:
            event = page.next_event({"Runtime.bindingCalled"}, timeout)
            if event is None:
                print(f"{name}: no end within {timeout:.0f} s", file=sys.stderr)
                return 1
            kind, value = json.loads(event["params"]["payload"])
            if kind == "out":
                print(value, flush=True)
            elif kind == "err":
                print(value, file=sys.stderr, flush=True)
            elif kind == "abort":
                print(f"{name}: aborted: {value}", file=sys.stderr)
                return 1
            else:
                return int(value)


if __name__ == "__main__":
    sys.exit(main())
