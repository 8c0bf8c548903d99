#!/usr/bin/env bash
# Seeds for terrain_fuzz: a small folded image with good keys, and broken keys.
# Usage: terrain.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
out="$2"
mkdir -p "$out"
seed() {  # name keys image-side
  local keys="$2" side="$3"
  { printf "\\x$(printf '%02x' ${#keys})"; printf '%s' "$keys"; head -c $((side * side)) /dev/urandom; } >"$out/$1"
}
seed good "lines 4 h_dist 0.5 h_max 10 k_detail_tex 8 main_tex m detail_tex d" 32
seed lines3 "lines 3 h_dist 0.5 h_max 10 k_detail_tex 8 main_tex m detail_tex d" 24
seed scale "k_scale -2 lines 2 h_dist 1 h_max -5 k_detail_tex 1 main_tex m detail_tex d" 9
seed tiny "lines 1 h_dist 1 h_max 1 k_detail_tex 1 main_tex m detail_tex d" 2
