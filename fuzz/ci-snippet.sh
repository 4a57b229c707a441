#!/usr/bin/env bash
# The fuzzing step of CI: installs clang and its libFuzzer runtime when they
# are missing, then builds the deck fuzzer and runs it for 60 seconds.
# Fails on a build error and on any finding (crash, sanitizer report, leak,
# hang); the input that caused it is left under build-fuzz/artifacts/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

can_build_fuzzer() {
  command -v clang++ >/dev/null || return 1
  local probe
  probe="$(mktemp -d)"
  printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1
  local ok=$?
  rm -rf "$probe"
  return $ok
}

if ! can_build_fuzzer; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq clang libclang-rt-dev >/dev/null || apt-get install -y -qq clang-14 libclang-rt-14-dev >/dev/null
  command -v clang++ >/dev/null || ln -sf "$(command -v clang++-14)" /usr/local/bin/clang++
  can_build_fuzzer || { echo "fuzz: clang++ cannot build a libFuzzer target" >&2; exit 1; }
fi

bash "$root/fuzz/run.sh" "${FUZZ_SECONDS:-60}"
