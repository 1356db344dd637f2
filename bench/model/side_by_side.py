#!/usr/bin/env python3
"""Times mouldexport beside `wc -l` and a naive fgets + strtod reader on one climate file.

The file (10 million lines by default, about 195 MB) is made once by scripts/generate-climate.py
with a fixed seed and kept in /tmp; it is read once before timing so that all three readers find
it in the page cache. The programs take turns; each turn runs a program twice in a row, and the
two runs are reported apart:

- first run: the program starts right after the other programs ran. On a virtual machine whose
  host takes back the memory a guest frees (free page reporting), the memory a run needs then
  first has to come back from the host, which costs a program that fills arrays more than
  `wc -l`, which fills none.
- repeated run: the program starts right after itself, as with hyperfine's --warmup, so that
  each program is measured with its memory warm.

The tables show the median wall time, CPU time and peak resident memory of each program, the
goals the model run is held to (within 4 times the wall time of `wc -l`, at most 32 MB of peak
resident memory for 10 million lines) and how much faster it is than the naive reader.

Usage: bench/model/side_by_side.py [--build build] [--lines 10000000] [--seed 7] [--runs 5]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def climate_file(lines, seed):
    path = "/tmp/mouldview-climate-%d-seed%d.txt" % (lines, seed)
    if not os.path.exists(path):
        print("generating %s ..." % path, flush=True)
        with open(path + ".part", "w") as out:
            subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "generate-climate.py"),
                            "--hours", str(lines), "--seed", str(seed)], stdout=out, check=True)
        os.rename(path + ".part", path)
    return path


def timed_run(command):
    """Wall time and CPU time (user + system) in seconds and peak resident memory in MB of one run.

    GNU time reports the peak memory: a child started from this interpreter would count the
    interpreter's own memory, which it shares until it executes the program.
    """
    start = time.perf_counter()
    result = subprocess.run(["/usr/bin/time", "-f", "%U %S %M"] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        raise SystemExit("%s failed: %s" % (command[0], result.stderr))
    user, system, peak = result.stderr.split()[-3:]
    return elapsed, float(user) + float(system), int(peak) / 1024.0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--lines", type=int, default=10_000_000)
    parser.add_argument("--seed", type=int, default=7)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()

    path = climate_file(args.lines, args.seed)
    with open(path, "rb") as warm:
        while warm.read(1 << 24):
            pass
    readers = {
        "wc -l": ["wc", "-l", path],
        "naive fgets+strtod": [os.path.join(args.build, "bench", "model", "naive_fgets_strtod"), path],
        "mouldexport --summary": [os.path.join(args.build, "mouldexport"), "--climate", path, "--summary"],
    }
    regimes = ("first run", "repeated run")
    times = {(regime, name): [] for regime in regimes for name in readers}
    cpu = {(regime, name): [] for regime in regimes for name in readers}
    memory = {name: 0.0 for name in readers}
    for _ in range(args.runs):
        for name, command in readers.items():
            for regime in regimes:
                elapsed, used, peak = timed_run(command)
                times[regime, name].append(elapsed)
                cpu[regime, name].append(used)
                memory[name] = max(memory[name], peak)

    size_mb = os.path.getsize(path) / 1e6
    print("file: %s, %d lines, %.0f MB, median of %d runs" % (path, args.lines, size_mb, args.runs))
    print("load average (1 minute) after the runs: %.2f" % os.getloadavg()[0])
    for regime in regimes:
        print()
        print("%-24s %10s %10s %12s   (%s)" % ("reader", "wall s", "cpu s", "peak MB", regime))
        median = {name: statistics.median(times[regime, name]) for name in readers}
        for name in readers:
            print("%-24s %10.3f %10.2f %12.1f" % (name, median[name], statistics.median(cpu[regime, name]),
                                                 memory[name]))
        model = median["mouldexport --summary"]
        to_wc = model / median["wc -l"]
        from_naive = median["naive fgets+strtod"] / model
        print("mouldexport / wc -l:      %.2fx  (goal: at most 4x)  %s" % (to_wc, "met" if to_wc <= 4 else "missed"))
        print("naive / mouldexport:      %.2fx" % from_naive)
    peak = memory["mouldexport --summary"]
    if args.lines == 10_000_000:
        print()
        print("mouldexport peak memory:  %.1f MB  (goal: at most 32 MB)  %s" % (peak, "met" if peak <= 32 else "missed"))
    print()
    print("(cpu: user + system time, 10 ms resolution; on a busy machine it is the better measure)")

if __name__ == "__main__":
    main()
