#!/usr/bin/env bash
# Benchmark: builds the release barlist (cmake --preset default, build/),
# generates decks of 10,000, 100,000 and 1,000,000 cards, runs barlist on
# each without a terminal (names on standard input) and prints cards per
# second (both passes, both files written) and peak resident memory.
#
#   bash bench/run.sh [CARDS...]      default: 10000 100000 1000000
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000)
runs="${BENCH_RUNS:-3}"

cmake --preset default >/dev/null
cmake --build --preset default --target barlist >/dev/null
cmake -S bench -B build/bench >/dev/null
cmake --build build/bench -j 2 >/dev/null

work="$root/build/bench/work"
mkdir -p "$work"
cd "$work"  # short relative names: a name reply holds 36 characters
printf '%10s %10s %12s %14s %10s\n' cards "deck MB" "best s" "cards/s" "peak kB"
for n in "${sizes[@]}"; do
  deck="deck-$n.deck"
  [ -f "$deck" ] || "$root/build/bench/gen_deck" "$n" >"$deck" 2>/dev/null
  cards=$(wc -l <"$deck")
  best="" peak=0
  for ((i = 0; i < runs; i++)); do
    rm -f out.qty out.tab
    # setsid: no controlling terminal, so the names come from standard input.
    m=$(printf '%s\n%s\n%s\n' "$deck" out.qty out.tab |
      setsid -w "$root/build/bench/peak_rss" "$root/build/barlist" 2>&1 >/dev/null | tail -1) || true
    read -r s kb status <<<"$m"
    if [ "${status:-1}" != 0 ] || [ ! -s out.qty ] || [ ! -s out.tab ]; then
      echo "barlist failed on $deck: $m" >&2
      exit 1
    fi
    if [ -z "$best" ] || awk "BEGIN{exit !($s < $best)}"; then best=$s; fi
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  awk -v n="$cards" -v s="$best" -v kb="$peak" -v mb="$(stat -c %s "$deck")" \
    'BEGIN{printf "%10d %10.1f %12.4f %14.0f %10d\n", n, mb/1048576, s, n/s, kb}'
done
