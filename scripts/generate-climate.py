#!/usr/bin/env python3
"""Writes a synthetic hourly climate file in mouldview's format, reproducibly from a seed.

Each line is: hour number, tab, temperature in degrees Celsius (one decimal), tab, relative
humidity as a fraction (three decimals), tab. The series starts on 1 January at midnight and
follows, hour by hour:

* a seasonal temperature cycle (mean 9.5 C, coldest in mid-January, warmest in mid-July, 9 C
  amplitude) and a daily cycle (3.5 C amplitude, warmest at 15:00);
* weather: a slowly wandering offset (an AR(1) process with a memory of about two days) on
  temperature and on humidity, plus small hourly noise;
* relative humidity that falls as the day warms (1.5 % per degree above the daily mean) around a
  seasonal mean (85 % in winter, 65 % in summer), clipped to 0.25 .. 1.0;
* one long humid and warm spell from 10 July for 16 days (humidity about 95 %, temperature about
  21 C) that takes the mould index above 1, and the frost of the winter months.

examples/GeneralCourse.txt is one year of this with the default seed:
    scripts/generate-climate.py --hours 8760 --seed 2008 > examples/GeneralCourse.txt
The benchmarks use the same generator for files of millions of lines.
"""
import argparse
import math
import random
import sys

HOURS_PER_YEAR = 8760
SPELL_START = (31 + 28 + 31 + 30 + 31 + 30 + 9) * 24  # 10 July, 00:00
SPELL_HOURS = 16 * 24


def generate(hours, seed, out):
    rng = random.Random(seed)
    temp_weather = 0.0
    rh_weather = 0.0
    memory = math.exp(-1.0 / 48.0)  # about two days
    shock = math.sqrt(1.0 - memory * memory)
    lines = []
    for hour in range(hours):
        year_hour = hour % HOURS_PER_YEAR
        season = math.cos(2.0 * math.pi * (year_hour / HOURS_PER_YEAR - 0.54))  # 1 in mid-July
        day = math.cos(2.0 * math.pi * ((year_hour % 24) - 15) / 24.0)  # 1 at 15:00
        temp_weather = memory * temp_weather + shock * rng.gauss(0.0, 3.0)
        rh_weather = memory * rh_weather + shock * rng.gauss(0.0, 0.06)

        daily_mean = 9.5 + 9.0 * season + temp_weather
        temp = daily_mean + 3.5 * day + rng.gauss(0.0, 0.3)
        rh = 0.75 - 0.10 * season + rh_weather - 0.015 * (temp - daily_mean) + rng.gauss(0.0, 0.01)
        if SPELL_START <= year_hour < SPELL_START + SPELL_HOURS:
            temp = 21.0 + 1.5 * day + 0.4 * temp_weather + rng.gauss(0.0, 0.3)
            rh = 0.95 + 0.02 * rh_weather / 0.06 - 0.01 * day + rng.gauss(0.0, 0.005)
        rh = min(1.0, max(0.25, rh))
        lines.append("%d\t%.1f\t%.3f\t\n" % (hour + 1, temp, rh))
        if len(lines) == 100000:
            out.write("".join(lines))
            lines.clear()
    out.write("".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--hours", type=int, default=HOURS_PER_YEAR, help="number of lines (default one year)")
    parser.add_argument("--seed", type=int, default=2008, help="seed of the weather (default 2008)")
    args = parser.parse_args()
    generate(args.hours, args.seed, sys.stdout)


if __name__ == "__main__":
    main()
