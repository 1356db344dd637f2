#!/usr/bin/python3
"""mouldexport --png beside gnuplot and matplotlib, on the same machine in one run.

For climate files of 1, 100 and 1000 years (8 760, 876 000 and 8 760 000 lines, made by
scripts/generate-climate.py with a fixed seed in a temporary directory), it times:

  * mouldexport --climate FILE --png OUT --size WxH: reads the climate file, computes the mould
    index and draws the result window's chart;
  * gnuplot (pngcairo) and matplotlib (Agg): read the period table that mouldexport --csv wrote
    from the same climate file (made once, beforehand, not timed) and plot the same two lines,
    the reference line at 1 and the mould index, with title, axis titles and grid.

The peers skip the reading of the climate file and the computation; mouldexport does both in its
time. Each figure is the median of 5 whole-process wall times (after one untimed run that warms
the page cache), at 447 x 202 (the window's size) and 1920 x 1080; the processor times (user +
system) of the same runs follow, as they depend less on what else the machine is doing. Prints
Markdown tables.

Installs the Debian packages gnuplot-nox and python3-matplotlib when they are missing (as root,
or with sudo when it needs no password). Run it with Debian's own /usr/bin/python3, whose
matplotlib that is:
    bench/peers/peers.py [--build BUILD_DIR] [--runs 5] [--years 1,100,1000]
"""

import argparse
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PACKAGES = ["gnuplot-nox", "python3-matplotlib"]
SIZES = [(447, 202), (1920, 1080)]
HOURS_PER_YEAR = 8760
SEED = 2008

GNUPLOT_SCRIPT = """\
set terminal pngcairo size {width},{height}
set output '{output}'
set datafile separator ','
set title 'Dose-response (Tevo) model, Ardune University'
set xlabel '12 hour periods'
set ylabel 'Mould index'
set yrange [0:*]
set grid
unset key
plot '{table}' every ::1 using 1:(1.0) with lines linecolor rgb 'red', \\
     '' every ::1 using 1:7 with lines linecolor rgb 'blue'
"""

MATPLOTLIB_SCRIPT = """\
import sys
import matplotlib
matplotlib.use('Agg')
import matplotlib.pyplot as plt
import numpy as np
table, output, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = np.loadtxt(table, delimiter=',', skiprows=1, usecols=(0, 6), ndmin=2)
figure = plt.figure(figsize=(width / 100, height / 100), dpi=100)
axes = figure.add_subplot()
axes.plot(data[:, 0], np.ones(len(data)), color='red', linewidth=1)
axes.plot(data[:, 0], data[:, 1], color='blue', linewidth=1)
axes.set_title('Dose-response (Tevo) model, Ardune University')
axes.set_xlabel('12 hour periods')
axes.set_ylabel('Mould index')
axes.set_ylim(bottom=0)
axes.grid(True, linestyle=':')
figure.savefig(output)
"""


def installed(package):
    result = subprocess.run(["dpkg-query", "-W", "-f=${Status}", package], capture_output=True, text=True)
    return result.stdout == "install ok installed"


def install_peers():
    missing = [package for package in PACKAGES if not installed(package)]
    if not missing:
        return
    command = ("apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "
               + " ".join(missing))
    if os.geteuid() == 0:
        prefix = []
    elif shutil.which("sudo") and subprocess.run(["sudo", "-n", "true"], capture_output=True).returncode == 0:
        prefix = ["sudo"]
    else:
        sys.exit("missing Debian packages " + " ".join(missing) + "; install them with:\n  sudo bash -c '"
                 + command + "'")
    print("Installing " + " ".join(missing), file=sys.stderr)
    subprocess.run(prefix + ["bash", "-c", command], check=True, stdout=subprocess.DEVNULL)


def timed_run(command):
    """Wall time and processor time (user + system, of the process and its children) of one run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def median_time(command, runs):
    """Medians of the wall and processor times of `runs` runs, after one untimed run."""
    timed_run(command)
    times = [timed_run(command) for _ in range(runs)]
    return statistics.median(wall for wall, _ in times), statistics.median(cpu for _, cpu in times)


def seconds(value):
    return f"{value:.3f} s" if value < 10 else f"{value:.1f} s"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(ROOT, "build"), help="build directory (default build/)")
    parser.add_argument("--runs", type=int, default=5, help="timed runs per figure (default 5)")
    parser.add_argument("--years", default="1,100,1000", help="climate file lengths in years")
    options = parser.parse_args()

    install_peers()
    mouldexport = os.path.join(options.build, "mouldexport")
    if not os.access(mouldexport, os.X_OK):
        sys.exit(mouldexport + " not found: build first (make build)")
    gnuplot = shutil.which("gnuplot")
    work = tempfile.mkdtemp(prefix="mouldview-peers-")
    rows = []
    try:
        for years in [int(text) for text in options.years.split(",")]:
            lines = years * HOURS_PER_YEAR
            climate = os.path.join(work, f"climate-{years}.txt")
            with open(climate, "w") as out:
                subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "generate-climate.py"), "--hours",
                                str(lines), "--seed", str(SEED)], stdout=out, check=True)
            table = os.path.join(work, f"table-{years}.csv")
            subprocess.run([mouldexport, "--climate", climate, "--csv", table], check=True)
            periods = sum(1 for _ in open(table)) - 1
            matplotlib_script = os.path.join(work, "plot.py")
            with open(matplotlib_script, "w") as out:
                out.write(MATPLOTLIB_SCRIPT)
            for width, height in SIZES:
                ours = median_time([mouldexport, "--climate", climate, "--png", os.path.join(work, "ours.png"),
                                    "--size", f"{width}x{height}"], options.runs)
                gnuplot_script = os.path.join(work, "plot.gp")
                with open(gnuplot_script, "w") as out:
                    out.write(GNUPLOT_SCRIPT.format(width=width, height=height, table=table,
                                                    output=os.path.join(work, "gnuplot.png")))
                gnu = median_time([gnuplot, gnuplot_script], options.runs)
                mpl = median_time([sys.executable, matplotlib_script, table, os.path.join(work, "matplotlib.png"),
                                   str(width), str(height)], options.runs)
                rows.append((years, lines, periods, f"{width} x {height}", ours, gnu, mpl))
                print(f"{years} years, {width}x{height}: wall (cpu) ours {ours[0]:.3f} ({ours[1]:.3f}) s, "
                      f"gnuplot {gnu[0]:.3f} ({gnu[1]:.3f}) s, matplotlib {mpl[0]:.3f} ({mpl[1]:.3f}) s",
                      file=sys.stderr)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    for title, which in (("Wall time", 0), ("Processor time (user + system)", 1)):
        print(f"\n{title}, median of {options.runs}:\n")
        print("| Climate file | Periods | Size | mouldexport --png | gnuplot (pngcairo) | matplotlib (Agg) "
              "| gnuplot / ours | matplotlib / ours |")
        print("|---|---|---|---|---|---|---|---|")
        for years, lines, periods, size, ours, gnu, mpl in rows:
            length = f"{years} year{'s' if years != 1 else ''}, {lines:,} lines"
            print(f"| {length} | {periods:,} | {size} | {seconds(ours[which])} "
                  f"| {seconds(gnu[which])} | {seconds(mpl[which])} | {gnu[which] / ours[which]:.1f} "
                  f"| {mpl[which] / ours[which]:.1f} |")


if __name__ == "__main__":
    main()
