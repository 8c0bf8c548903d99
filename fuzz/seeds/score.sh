#!/usr/bin/env bash
# Seeds for score_fuzz: score tables in the plain text the game enciphers (full, over-long,
# damaged count, hostile names). Usage: score.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
out="$2"
mkdir -p "$out"
{
  for i in 0 1 2 3 4 5 6; do printf 'name%d "Pilot %d"\nscore%d %d\nlevel%d %d\n' $i $i $i $((7000 - i * 900)) $i $((10 - i)); done
  printf 'num 7\n'
} >"$out/full"
{
  for i in 0 1 2 3 4 5 6 7 8; do printf 'name%d P%d\nscore%d 500\nlevel%d 2\n' $i $i $i $i; done
  printf 'num 9\n'
} >"$out/nine_rows"
printf 'name0 ACE\nscore0 12000\nlevel0 4\nnum 2000000000\n' >"$out/huge_count"
printf 'name0 "tab\there"\nscore0 -5\nlevel0 -1\nname1 "quote\\"d // not a comment"\nscore1 2147483647\nlevel1 99\nnum 2\n' >"$out/hostile"
