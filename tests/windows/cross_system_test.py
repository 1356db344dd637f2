#!/usr/bin/env python3
"""mouldexport.exe under Wine against the Linux build's mouldexport on the example year.

The table must be the same bytes, in a file and on standard output. The chart must have the
same layout (the plot rectangle's frame at the same place), and every pixel inside that frame,
the frame included, must be equal: lines, grid, curves and fills are the same code on both
systems. Text comes from each system's font engine; the pixels that differ must all lie outside
the frame and off the panel's outer bevel, and their number is printed. The climate file and the
outputs have blanks and characters beyond ASCII in their names, so the command line passes
through the Windows split and the files open by their UTF-16 names.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77


def read_ppm(png):
    data = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    magic, size, maximum, pixels = data.split(b"\n", 3)
    assert magic == b"P6" and maximum == b"255", "unexpected PPM header"
    width, height = map(int, size.split())
    rows = [[pixels[(y * width + x) * 3:(y * width + x) * 3 + 3] for x in range(width)] for y in range(height)]
    return width, height, rows


def longest_black_run(pixels):
    best = run = 0
    for pixel in pixels:
        run = run + 1 if pixel == b"\0\0\0" else 0
        best = max(best, run)
    return best


def plot_frame(width, height, rows):
    """The rectangle spanned by the rows and columns that hold a black line over a third of the
    picture: the axes and the frame of the plot rectangle."""
    lines_y = [y for y in range(height) if longest_black_run(rows[y]) >= width // 3]
    lines_x = [x for x in range(width) if longest_black_run([rows[y][x] for y in range(height)]) >= height // 3]
    if not lines_x or not lines_y:
        return None
    return min(lines_x), min(lines_y), max(lines_x), max(lines_y)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--example", required=True)
    args = parser.parse_args()
    if not os.access(args.linux, os.X_OK):
        print(f"SKIPPED: the Linux build's mouldexport is missing ({args.linux}; make build)")
        return SKIP
    if shutil.which("convert") is None:
        print("SKIPPED: ImageMagick's convert is not installed")
        return SKIP

    work = tempfile.mkdtemp(prefix="cross-system-")
    try:
        folder = os.path.join(work, "Klima \u00c4\u00f6 \u20ac")
        os.mkdir(folder)
        climate = os.path.join(folder, "Jahr 1 \u00e4.txt")
        shutil.copyfile(args.example, climate)
        wine = [args.wine, "--prefix", args.prefix, args.windows]
        outputs = {}
        for system, command in (("linux", [args.linux]), ("windows", wine)):
            csv = os.path.join(folder, f"Tabelle {system} \u00fc.csv")
            png = os.path.join(folder, f"Bild {system} \u00fc.png")
            run = subprocess.run(command + ["--climate", climate, "--csv", csv, "--png", png],
                                 capture_output=True)
            assert run.returncode == 0, f"{system}: status {run.returncode}: {run.stderr!r}"
            stdout = subprocess.run(command + ["--climate", climate, "--csv", "-"], capture_output=True)
            assert stdout.returncode == 0, f"{system}: status {stdout.returncode}: {stdout.stderr!r}"
            with open(csv, "rb") as table:
                outputs[system] = (table.read(), stdout.stdout, png)

        linux_csv, linux_stdout, linux_png = outputs["linux"]
        windows_csv, windows_stdout, windows_png = outputs["windows"]
        assert linux_csv.count(b"\n") > 700, "the Linux table is too short to be the example year"
        assert windows_csv == linux_csv, "the tables differ"
        assert windows_stdout == linux_stdout == linux_csv, "the tables on standard output differ"

        width, height, linux_rows = read_ppm(linux_png)
        windows_size = read_ppm(windows_png)
        assert windows_size[:2] == (width, height), f"sizes differ: {windows_size[:2]} != {(width, height)}"
        windows_rows = windows_size[2]
        frame = plot_frame(width, height, linux_rows)
        assert frame is not None, "no plot frame in the Linux picture"
        assert plot_frame(width, height, windows_rows) == frame, "the layout differs: the plot frame moved"
        left, top, right, bottom = frame
        bevel = 2
        differing = 0
        for y in range(height):
            for x in range(width):
                if linux_rows[y][x] == windows_rows[y][x]:
                    continue
                differing += 1
                assert not (left <= x <= right and top <= y <= bottom), f"pixel ({x}, {y}) inside the plot frame differs"
                assert bevel <= x < width - bevel and bevel <= y < height - bevel, f"bevel pixel ({x}, {y}) differs"
        print(f"table: {len(linux_csv)} bytes equal; chart: plot frame {frame} equal, "
              f"{differing} of {width * height} pixels differ, all of them text outside the frame")
        return 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
