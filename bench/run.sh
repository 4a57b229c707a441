#!/usr/bin/env bash
# Benchmark: builds the release barlist, generates decks of 10,000, 100,000
# and 1,000,000 cards of each kind, runs barlist on each without a terminal
# (names on standard input) and prints cards per second (both passes, both
# files written; from the median run's wall time), the median CPU time (user
# and system, steadier on a busy machine) and peak resident memory (the largest).
#
#   bash bench/run.sh [CARDS...]      default: 10000 100000 1000000
#
# Kinds of deck: "standard" (bars, vary bars, lump weights, comments, store and
# recall, errors) and "record-heavy" (comments, lump weights and vary bars:
# nearly every card writes a line).
#
# Environment:
#   BENCH_BUILD_DIR   build folder, relative to the top or absolute (default: build)
#   BENCH_BUILD_TYPE  CMake build type when the folder is first configured
#                     (default: RelWithDebInfo, as the default preset)
#   BENCH_RUNS        runs per deck (default: 7)
#   BENCH_KINDS       kinds to run (default: "standard record-heavy")
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000)
runs="${BENCH_RUNS:-7}"
read -r -a kinds <<<"${BENCH_KINDS:-standard record-heavy}"
build="${BENCH_BUILD_DIR:-build}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" >/dev/null
else
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE="${BENCH_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
cmake --build "$build" -j 2 --target barlist >/dev/null
cmake -S bench -B "$build/bench" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/bench" -j 2 >/dev/null

work="$build/bench/work"
mkdir -p "$work"
cd "$work"  # short relative names: a name reply holds 36 characters
printf '%-13s %10s %10s %10s %12s %10s %10s\n' kind cards "deck MB" "median s" "cards/s" "cpu s" "peak kB"
for kind in "${kinds[@]}"; do
  case "$kind" in
    standard) option=() prefix=deck ;;
    record-heavy) option=(--record-heavy) prefix=heavy ;;
    *) echo "unknown deck kind: $kind" >&2; exit 2 ;;
  esac
  for n in "${sizes[@]}"; do
    deck="$prefix-$n.deck"
    [ -f "$deck" ] || "$build/bench/gen_deck" "${option[@]}" "$n" >"$deck" 2>/dev/null
    cards=$(wc -l <"$deck")
    times=() cpus=() peak=0
    for ((i = 0; i < runs; i++)); do
      rm -f out.qty out.tab
      # setsid: no controlling terminal, so the names come from standard input.
      m=$(printf '%s\n%s\n%s\n' "$deck" out.qty out.tab |
        setsid -w "$build/bench/peak_rss" "$build/barlist" 2>&1 >/dev/null | tail -1) || true
      read -r s kb status cpu <<<"$m"
      if [ "${status:-1}" != 0 ] || [ ! -s out.qty ] || [ ! -s out.tab ]; then
        echo "barlist failed on $deck: $m" >&2
        exit 1
      fi
      times+=("$s")
      cpus+=("$cpu")
      [ "$kb" -gt "$peak" ] && peak=$kb
    done
    median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}')
    median_cpu=$(printf '%s\n' "${cpus[@]}" | sort -g | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}')
    awk -v kind="$kind" -v n="$cards" -v s="$median" -v cpu="$median_cpu" -v kb="$peak" -v mb="$(stat -c %s "$deck")" \
      'BEGIN{printf "%-13s %10d %10.1f %10.4f %12.0f %10.4f %10d\n", kind, n, mb/1048576, s, n/s, cpu, kb}'
  done
done
