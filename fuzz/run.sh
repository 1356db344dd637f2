#!/usr/bin/env bash
# Builds the libFuzzer harnesses with Clang in a build directory of their own and runs each for a
# given number of seconds, starting from a copy of its seed corpus in fuzz/corpus/<harness>/.
# Fails when any harness reports a crash, a leak, a sanitizer error, a slow input or memory beyond
# the limit (which catches unbounded growth that no leak report shows).
# Usage: fuzz/run.sh [BUILD_DIR [SECONDS]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-fuzz}")
seconds=${2:-60}
cc=${FUZZ_CC:-clang-15}
cxx=${FUZZ_CXX:-clang++-15}

# -O2 without NDEBUG: fast enough to explore, assertions still on.
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" \
    -DMOULDVIEW_FUZZ=ON -DMOULDVIEW_BUILD_TESTS=OFF -DMOULDVIEW_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzzers

# Inputs longer than these add nothing a harness reads.
declare -A max_len=([climate_file]=8192 [control_file]=4096 [label_text]=256 [chart]=20000)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
# Reports with function names and lines.
symbolizer=$(command -v llvm-symbolizer || true)
[[ -n $symbolizer ]] && export ASAN_SYMBOLIZER_PATH=$symbolizer
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# fontconfig keeps a few bytes of its configuration for the life of the process.
export LSAN_OPTIONS=suppressions=$root/tests/support/lsan.supp
failed=()
for harness in climate_file control_file label_text chart; do
    corpus=$build/fuzz-corpus/$harness
    artifacts=$build/fuzz-artifacts
    mkdir -p "$corpus" "$artifacts"
    echo "== fuzz_$harness for ${seconds} s"
    # New inputs go to the first (writable) corpus directory; the seeds stay untouched.
    if ! "$build/fuzz/fuzz_$harness" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 \
        -max_len="${max_len[$harness]}" -artifact_prefix="$artifacts/$harness-" -print_final_stats=1 \
        "$corpus" "$root/fuzz/corpus/$harness" >"$build/fuzz-$harness.log" 2>&1; then
        failed+=("$harness")
        tail -n 60 "$build/fuzz-$harness.log"
    else
        grep -E "^(#[0-9]+.*DONE|stat::number_of_executed_units)" "$build/fuzz-$harness.log" || true
    fi
done
if ((${#failed[@]} > 0)); then
    echo "fuzzing found problems in: ${failed[*]} (inputs in $build/fuzz-artifacts/)" >&2
    exit 1
fi
echo "fuzzing: no findings"
