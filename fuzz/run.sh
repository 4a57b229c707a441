#!/usr/bin/env bash
# Builds the deck fuzzer with clang and runs it for a number of seconds
# (default 60). Any crash, sanitizer report, leak or hang stops it with a
# non-zero status and leaves the input under <build>/artifacts/.
#
#   bash fuzz/run.sh [SECONDS] [extra libFuzzer flags...]
#   BUILD_DIR=/tmp/build-fuzz bash fuzz/run.sh 1200
set -euo pipefail

seconds="${1:-60}"
shift || true
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build-fuzz}"
cxx="${CXX_FUZZ:-$(command -v clang++ || command -v clang++-14)}"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBARLIST_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target deck_fuzzer -j 2

mkdir -p "$build/corpus" "$build/artifacts"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# New inputs go to corpus/, which grows from run to run; the seeds are read only.
# The two capacity seeds (2,001 bars, 999 store bars) take a hundred times as
# long as a small deck and are rich in rare features, so by rarity alone they
# would take most of the minute; their energy is scaled by their time, so the
# small decks are mutated far more often and the capacity seeds still visited.
"$build/fuzz/deck_fuzzer" "$build/corpus" "$build/fuzz/seed-corpus" \
  -max_total_time="$seconds" -max_len=36864 -timeout=10 -rss_limit_mb=2048 \
  -entropic_scale_per_exec_time=1 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
