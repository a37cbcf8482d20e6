#!/usr/bin/python3
"""The web build's start-up and download: the time from opening the page to the first frame drawn
after the program has shown its window, for Tallyfen's site and for a site built the same way
around a one-label window, in alternating runs of headless Chromium on localhost; and each file
of Tallyfen's site, as served and compressed.

    bench.py SITE BASELINE_SITE [--runs N]
"""

import argparse
import gzip
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/web"))
import browsers  # noqa: E402

# Notes the time of the first animation frame after the loader has marked the program running
# (the program's main has shown its window by then, and the frame draws it).
FIRST_FRAME = """
// Every run is a first visit: no service worker keeps the site.
delete Navigator.prototype.serviceWorker;
new MutationObserver((changes, observer) => {
    if (document.documentElement.dataset.state !== 'running')
        return;
    observer.disconnect();
    requestAnimationFrame(() => { window.tallyfenFirstFrame = performance.now(); });
}).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
"""


def first_frame(browser, origin):
    browser.new_tab(1280, 800, before_load=FIRST_FRAME)
    browser.open(origin + "/index.html")
    browser.wait_until("window.tallyfenFirstFrame !== undefined", 120, "the first frame")
    return browser.evaluate("window.tallyfenFirstFrame")


def sizes(site):
    rows = []
    for folder, _, files in os.walk(site):
        for name in sorted(files):
            path = os.path.join(folder, name)
            raw = open(path, "rb").read()
            brotli = subprocess.run(["brotli", "-c", "-q", "11", path], check=True,
                                    capture_output=True).stdout
            rows.append((os.path.relpath(path, site), len(raw), len(gzip.compress(raw, 9)),
                         len(brotli)))
    return sorted(rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site")
    parser.add_argument("baseline_site")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    times = {"tallyfen": [], "baseline": []}
    with browsers.serve(args.site) as site, browsers.serve(args.baseline_site) as baseline, \
            browsers.chromium() as browser:
        first_frame(browser, site)  # Chromium's own start-up is nobody's
        for _ in range(args.runs):
            times["tallyfen"].append(first_frame(browser, site))
            times["baseline"].append(first_frame(browser, baseline))

    print(f"First frame after opening the page, median of {args.runs} alternating runs:")
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, values in times.items():
        print(f"  {name:9} {medians[name]:7.0f} ms  (from {min(values):.0f} to {max(values):.0f})")
    print(f"  ratio     {medians['tallyfen'] / medians['baseline']:7.3f}  (goal: at most 1.10)")

    rows = sizes(args.site)
    mib = 1024 * 1024
    print(f"\nThe site, {args.site}:")
    print(f"  {'file':38} {'bytes':>10} {'gzip -9':>10} {'brotli 11':>10}")
    for name, raw, gz, br in rows:
        print(f"  {name:38} {raw:10} {gz:10} {br:10}")
    total = [sum(row[i] for row in rows) for i in (1, 2, 3)]
    print(f"  {'all':38} {total[0]:10} {total[1]:10} {total[2]:10}")
    print(f"  in MiB: {total[0] / mib:.2f} as served, {total[1] / mib:.2f} with gzip, "
          f"{total[2] / mib:.2f} with brotli (goal: at most 3.5, aim 3)")


if __name__ == "__main__":
    main()
