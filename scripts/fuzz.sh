#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and runs every target for a while.
# Seeds: fuzz/seeds/NAME.sh DEFAULT_BUILD_DIR OUT_DIR writes a seed corpus for NAME_fuzz when present
# (seeds are made at run time from the tools and the forge; none are kept in the repository).
#
# Environment:
#   GW_FUZZ_SECONDS   seconds per target (default 8: the short run of CI; the long run is 600)
#   GW_FUZZ_TIMEOUT   seconds one input may take before it counts as a hang (default 10; 2 for the long run)
#   GW_FUZZ_TARGETS   names to run, e.g. "level unit" (default: every fuzz/*_fuzz.cpp)
#   GW_FUZZ_KEEP=1    keep build/fuzz/corpus/NAME between runs (what a run found feeds the next);
#                     without it the corpus is made afresh from the seeds. Never committed.
#   GW_FUZZ_NO_BUILD=1 run the targets as last built (long runs one after another while the
#                     sources change)
#   GW_FUZZ_DEFAULT_BUILD  the default build whose gw-pack and forged game make the seeds and
#                     feed the whole-game targets (default build/default)
# Each target's output is build/fuzz/NAME.log; a crash, a hang or any sanitizer report leaves its
# input as build/fuzz/crash-*, timeout-* or leak-* and fails the script.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${GW_FUZZ_SECONDS:-8}"
timeout="${GW_FUZZ_TIMEOUT:-10}"
shopt -s nullglob
targets=()
if [[ -n "${GW_FUZZ_TARGETS:-}" ]]; then
  for t in $GW_FUZZ_TARGETS; do targets+=("fuzz/${t%_fuzz}_fuzz.cpp"); done
else
  targets=(fuzz/*_fuzz.cpp)
fi
if ((${#targets[@]} == 0)); then
  echo "fuzz: no targets"
  exit 0
fi
mkdir -p build
if [[ "${GW_FUZZ_NO_BUILD:-0}" != 1 ]] && ! scripts/build.sh fuzz >build/fuzz-build.log 2>&1; then
  tail -n 40 build/fuzz-build.log >&2
  echo "fuzz: the fuzz build failed" >&2
  exit 1
fi
root="$PWD"
default_build="${GW_FUZZ_DEFAULT_BUILD:-$root/build/default}"
# UndefinedBehaviorSanitizer stops at its first report, so that libFuzzer keeps the input and the
# run fails like a crash (by default it would print and carry on).
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
# The targets that load whole games read the forge's data from here.
export GW_FUZZ_GAME_DIR="$default_build/game"
for src in "${targets[@]}"; do
  name=$(basename "$src" .cpp)
  corpus="build/fuzz/corpus/$name"
  seeds="build/fuzz/seeds/$name"
  [[ "${GW_FUZZ_KEEP:-0}" == 1 ]] || rm -rf "$corpus"
  rm -rf "$seeds"
  mkdir -p "$corpus" "$seeds"
  seed="fuzz/seeds/${name%_fuzz}.sh"
  if [[ -f "$seed" ]]; then
    bash "$seed" "$default_build" "$root/$seeds" || echo "fuzz: seeds for $name failed" >&2
  fi
  echo "fuzz: $name for ${seconds}s ($(ls "$seeds" | wc -l) seeds, $(ls "$corpus" | wc -l) kept inputs)"
  # New inputs go to the corpus (the first folder); the seeds are read each run.
  # Absolute paths: the targets that load whole games work inside a scratch folder of their own.
  if ! "build/fuzz/bin/$name" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=2048 \
      -artifact_prefix="$root/build/fuzz/" "$root/$corpus" "$root/$seeds" >"build/fuzz/$name.log" 2>&1; then
    tail -n 40 "build/fuzz/$name.log" >&2
    echo "fuzz: $name FAILED" >&2
    exit 1
  fi
  grep -E "^Done|DONE" "build/fuzz/$name.log" | tail -n 1 || true
done
