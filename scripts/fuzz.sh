#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan) and runs every target briefly.
# Seeds: fuzz/seeds/NAME.sh DEFAULT_BUILD_DIR OUT_DIR writes a seed corpus for NAME_fuzz when present
# (seeds are made at run time from the tools and the forge; none are kept in the repository).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${GW_FUZZ_SECONDS:-15}"
shopt -s nullglob
targets=(fuzz/*_fuzz.cpp)
if ((${#targets[@]} == 0)); then
  echo "fuzz: no targets"
  exit 0
fi
mkdir -p build
if ! scripts/build.sh fuzz >build/fuzz-build.log 2>&1; then
  tail -n 40 build/fuzz-build.log >&2
  echo "fuzz: the fuzz build failed" >&2
  exit 1
fi
root="$PWD"
for src in "${targets[@]}"; do
  name=$(basename "$src" .cpp)
  corpus="build/fuzz/corpus/$name"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  seed="fuzz/seeds/${name%_fuzz}.sh"
  if [[ -f "$seed" ]]; then
    bash "$seed" "$root/build/default" "$root/$corpus" || echo "fuzz: seeds for $name failed" >&2
  fi
  echo "fuzz: $name for ${seconds}s ($(ls "$corpus" | wc -l) seeds)"
  if ! "build/fuzz/bin/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build/fuzz/" "$corpus" >"build/fuzz/$name.log" 2>&1; then
    tail -n 40 "build/fuzz/$name.log" >&2
    echo "fuzz: $name FAILED" >&2
    exit 1
  fi
  grep -E "^Done|DONE" "build/fuzz/$name.log" | tail -n 1 || true
done
