#!/usr/bin/env bash
# Seeds for particle_fuzz: each of the forge's particle descriptions alone, and all ten joined at
# "--- NAME" marker lines. Usage: particle.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'm_frames_count 4\nm_frames_speed 0.01\nm_kind FRAMES\nm_size 0.5\nm_dsize 0.001\nm_color.w 1\nm_dist 0.2\n' >"$out/frames"
source "$(dirname "$0")/unpack.sh"
unpack_forge "$build" main || exit 0
first=1
for f in "$unpacked"/dat/particles/p_*.txt; do
  cp "$f" "$out/$(basename "$f" .txt)"
  if ((first)); then
    cat "$f" >"$out/all_ten"
    first=0
  else
    { printf '\n--- dat/particles/%s\n' "$(basename "$f")"; cat "$f"; } >>"$out/all_ten"
  fi
done
