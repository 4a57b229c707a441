#!/usr/bin/env bash
# Times the command line of two barlist builds on the same decks, runs
# alternating so that a busy machine weighs on both alike:
#   barlist --force --quiet DECK QTY TAB  (warnings on, as a user runs it)
# and prints, per deck, the median CPU time (user and system) of each, their
# ratio, and the largest peak resident memory.
#
#   bash bench/paired.sh BASELINE_BARLIST BARLIST [CARDS]   default: 1000000
#
# Environment: BENCH_RUNS (default 9), BENCH_TOOLS (a folder with gen_deck
# and peak_rss built from bench/; default: built in build/bench), BENCH_ARGS
# (more options for both, for example "--json out.json").
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
old="$(realpath "${1:?usage: paired.sh BASELINE_BARLIST BARLIST [CARDS]}")"
new="$(realpath "${2:?usage: paired.sh BASELINE_BARLIST BARLIST [CARDS]}")"
cards="${3:-1000000}"
runs="${BENCH_RUNS:-9}"
read -r -a extra <<<"${BENCH_ARGS:-}"
tools="${BENCH_TOOLS:-$root/build/bench}"
if [ ! -x "$tools/gen_deck" ]; then
  cmake -S "$root/bench" -B "$tools" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$tools" -j 2 >/dev/null
fi

work="$tools/work"
mkdir -p "$work"
cd "$work"
median() { sort -g | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}'; }
printf '%-13s %10s %12s %12s %8s %10s\n' kind cards "old cpu s" "new cpu s" ratio "peak kB"
for kind in standard record-heavy; do
  option=()
  [ "$kind" = record-heavy ] && option=(--record-heavy)
  deck="$kind-$cards.deck"
  [ -f "$deck" ] || "$tools/gen_deck" "${option[@]}" "$cards" >"$deck" 2>/dev/null
  old_cpu=() new_cpu=() peak=0
  for ((i = 0; i < runs; i++)); do
    for side in old new; do
      program="$old"
      [ "$side" = new ] && program="$new"
      # peak_rss ends with the program's status, which its line reports too.
      m=$("$tools/peak_rss" "$program" --force --quiet "${extra[@]}" "$deck" out.qty out.tab 2>&1 >/dev/null | tail -1 || true)
      read -r _ kb status cpu <<<"$m"
      # Status 2 is a deck with errors, as the standard deck has on purpose.
      [ "$status" = 0 ] || [ "$status" = 2 ] || { echo "$program failed on $deck: $m" >&2; exit 1; }
      if [ "$side" = old ]; then old_cpu+=("$cpu"); else new_cpu+=("$cpu"); fi
      if [ "$kb" -gt "$peak" ]; then peak=$kb; fi
    done
  done
  o=$(printf '%s\n' "${old_cpu[@]}" | median)
  n=$(printf '%s\n' "${new_cpu[@]}" | median)
  printf '%-13s %10s %12s %12s %8.2f %10s\n' "$kind" "$cards" "$o" "$n" "$(awk -v n="$n" -v o="$o" 'BEGIN {print n / o}')" "$peak"
done
