#!/usr/bin/env bash
# Runs mouldexport on the two extreme files it must handle, generated in /tmp and removed after:
#   * a 100 MB single line: a climate record whose first field is 100 MB long, followed by
#     ordinary records, and one whose fourth field is 100 MB long;
#   * a 2 GB file of valid lines: the seeded 10-million-line file of side_by_side.py eleven times.
# Prints the summary, wall time and peak memory of each run; fails if a run fails.
# Usage: bench/model/big_files.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
exporter=$build/mouldexport
work=$(mktemp -d /tmp/mouldview-big-XXXXXX)
trap 'rm -rf "$work"' EXIT

measure() {
  local label=$1
  shift
  echo "== $label"
  /usr/bin/time -f "wall %e s, peak memory %M KB" "$@"
}

python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
record = "x\t20\t0.95\t\n"
with open(work + "/long-first-field.txt", "w") as out:
    out.write("a" * (100 << 20) + "\t21.5\t0.93\t\n" + record * 47)
with open(work + "/long-last-field.txt", "w") as out:
    out.write(record * 20 + "x\t20\t0.95\t" + "z" * (100 << 20) + "\n" + record * 27)
PY
measure "100 MB first field" "$exporter" --climate "$work/long-first-field.txt" --summary
measure "100 MB fourth field" "$exporter" --climate "$work/long-last-field.txt" --summary

ten_million=/tmp/mouldview-climate-10000000-seed7.txt
if [[ ! -f $ten_million ]]; then
  echo "generating $ten_million ..."
  python3 "$root/scripts/generate-climate.py" --hours 10000000 --seed 7 > "$ten_million.part"
  mv "$ten_million.part" "$ten_million"
fi
for _ in $(seq 11); do cat "$ten_million"; done > "$work/two-gigabytes.txt"
ls -l "$work/two-gigabytes.txt"
measure "2 GB file" "$exporter" --climate "$work/two-gigabytes.txt" --summary
