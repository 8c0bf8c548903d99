#!/usr/bin/env bash
# Seeds for param_fuzz: small parameter texts in the shapes the game's files take.
# Usage: param.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
out="$2"
mkdir -p "$out"
printf 'a 1 b "x y" c' >"$out/quoted"
printf 'width 800 // a remark\nheight 600\r\n' >"$out/comment"
printf 'url "http://x"\nnext "v"\n' >"$out/comment_in_quote"
printf 'm_plane_speed_max_forward "1.5 2.25  3"\nm_fog_color.x 0.85\nlevels_count 7\n' >"$out/floats"
printf 'name0 "ACE"\nscore0 12000\nname1 "unterminated\n' >"$out/unterminated"
printf '\t\tkey\n\n\nvalue key2' >"$out/whitespace"
