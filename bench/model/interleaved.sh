#!/usr/bin/env bash
# Compares the model of the working tree with that of a git revision inside one program that
# alternates the two, run after run. On a virtual machine whose speed drifts by a quarter within
# minutes, programs timed one after the other cannot show a difference of a few percent; runs
# interleaved within one process can (two builds of the same source come out within 2 %).
#
# Usage: bench/model/interleaved.sh REVISION read|run [FILE] [RUNS]
#   read: reading the climate file into a fresh model state
#   run:  the whole model run on a fresh state: reading, computing the index, releasing
# FILE defaults to the 10-million-line file of side_by_side.py (made there if missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
revision=${1:?usage: interleaved.sh REVISION read|run [FILE] [RUNS]}
what=${2:?usage: interleaved.sh REVISION read|run [FILE] [RUNS]}
file=${3:-/tmp/mouldview-climate-10000000-seed7.txt}
runs=${4:-40}
if [[ ! -f $file ]]; then
  python3 "$root/scripts/generate-climate.py" --hours 10000000 --seed 7 >"$file.part"
  mv "$file.part" "$file"
fi
work=$(mktemp -d /tmp/mouldview-interleaved-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/base" "$work/tree" "$work/obj"
git -C "$root" archive "$revision" model platform/runtime | tar -x -C "$work/base"
(cd "$root" && tar -c model platform/runtime) | tar -x -C "$work/tree"

flags=(-std=c++20 -O2 -g)
compile_side() { # source root, namespace suffix, side function
  local source=$1 suffix=$2 side=$3 defines=()
  [[ -n $suffix ]] && defines=(-Dmodel="model$suffix" -Druntime="runtime$suffix")
  for unit in "$source"/model/*.cpp "$source"/platform/runtime/*.cpp "$root/bench/model/InterleavedRun.cpp"; do
    g++ "${flags[@]}" -I"$source" "${defines[@]}" -DINTERLEAVED_SIDE="$side" -c "$unit" \
      -o "$work/obj/$side-$(basename "$unit" .cpp).o" &
    compiles+=($!)
  done
}
compiles=()
compile_side "$work/base" _base RunBase
compile_side "$work/tree" "" RunWork
for compile in "${compiles[@]}"; do
  wait "$compile" || { echo "interleaved.sh: a build failed" >&2; exit 1; }
done
g++ "${flags[@]}" -c "$root/bench/model/InterleavedDriver.cpp" -o "$work/obj/driver.o"
g++ -o "$work/interleaved" "$work"/obj/*.o
echo "base: $(git -C "$root" rev-parse --short "$revision"), work tree: $root; $file"
"$work/interleaved" "$file" "$what" "$runs"
