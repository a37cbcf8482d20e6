#!/usr/bin/env python3
"""Start-up time to the first painted frame and peak RSS: Tallyfen against the bare baseline.

Runs the two programs alternately, each with the firstframe library preloaded, and prints the
medians. Run it inside an X server for the xcb platform, for example:
    xvfb-run -a -s '-screen 0 1280x1024x24' bench/startup/measure.py build/default --runs 20
or with --platform offscreen without one.
"""
import argparse
import os
import statistics
import subprocess
import time


def run_once(program, preload, platform):
    env = dict(os.environ, LD_PRELOAD=preload, QT_QPA_PLATFORM=platform)
    started = time.monotonic_ns()
    child = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = status
    for line in output.splitlines():
        if line.startswith("first-frame "):
            return (int(line.split()[1]) - started) / 1e6, usage.ru_maxrss / 1024
    raise RuntimeError(f"{program} printed no first frame (status {status})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", help="the build directory, e.g. build/default")
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--platform", default="xcb")
    args = parser.parse_args()

    programs = {
        "baseline": os.path.join(args.build, "bin", "tallyfen-baseline-window"),
        "tallyfen": os.path.join(args.build, "bin", "tallyfen"),
    }
    preload = os.path.abspath(os.path.join(args.build, "lib", "libtallyfen-firstframe.so"))
    results = {name: ([], []) for name in programs}
    for name, program in programs.items():  # one warm-up each, not counted
        run_once(program, preload, args.platform)
    for run in range(args.runs):
        order = list(programs) if run % 2 == 0 else list(reversed(list(programs)))
        for name in order:
            millis, rss = run_once(programs[name], preload, args.platform)
            results[name][0].append(millis)
            results[name][1].append(rss)

    medians = {name: (statistics.median(t), statistics.median(m)) for name, (t, m) in results.items()}
    print(f"platform {args.platform}, {args.runs} runs each, alternating")
    print(f"{'program':10} {'first frame ms':>15} {'peak RSS MiB':>13}")
    for name, (millis, rss) in medians.items():
        print(f"{name:10} {millis:15.1f} {rss:13.1f}")
    base, ours = medians["baseline"], medians["tallyfen"]
    print(f"{'ratio':10} {ours[0] / base[0]:15.2f} {ours[1] / base[1]:13.2f}")


if __name__ == "__main__":
    main()
