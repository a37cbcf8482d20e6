#!/usr/bin/python3
"""Runs a program of the web build (a Qt test) in a page of headless Chromium, as the program runs
on the site: its canvas is the screen. Prints what the program writes, and exits with its code.

    run-in-page.py PROGRAM.js [ARGUMENTS...]
"""

import json
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browsers  # noqa: E402

# The program starts in a bare page beside it, and what it writes and how it ends wait in a list
# until they are read.
RUNNER_PAGE = """<!doctype html>
<html><head><meta charset="utf-8"><style>
html, body { margin: 0; height: 100%; } canvas { display: block; width: 100vw; height: 100vh; }
</style></head><body><canvas id="screen"></canvas><script>
'use strict';
window.reports = [];
const report = (kind, value) => window.reports.push([kind, value]);
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
    folder, name = os.path.split(os.path.abspath(sys.argv[1]))
    name = name.removesuffix(".js")
    page_text = (RUNNER_PAGE.replace("PROGRAM", json.dumps(name))
                 .replace("ARGUMENTS", json.dumps(sys.argv[2:])))
    # The page is served from the program's folder, under a name no build writes.
    with tempfile.NamedTemporaryFile("w", dir=folder, prefix=f".{name}-", suffix=".html") as page, \
            browsers.serve(folder) as origin, browsers.chromium() as browser:
        page.write(page_text)
        page.flush()
        browser.new_tab(1280, 800)
        browser.open(f"{origin}/{os.path.basename(page.name)}")
        while True:
            browser.wait_until("window.reports.length > 0", browsers.LONGEST_SCRIPT_SECONDS,
                               f"{name}: an end")
            for kind, value in browser.evaluate("window.reports.splice(0)"):
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
