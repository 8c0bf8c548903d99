#!/usr/bin/env bash
# Seeds for level_fuzz: each forge level's plain files (enemies.ter, terra.ter, clouds.cld) with
# the set's levels.txt, renamed to level 1 and joined at "--- NAME" marker lines, plus a level
# without enemies and a set claiming 2 billion levels. Usage: level.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'enemies_count 1\nname0 EnemyPlane1\nm_kind0 1\nm_sp0 0.05\nm_lpy0 20\n--- levels/levels.txt\nlevels_count 2000000000\n' \
  >"$out/two_billion"
source "$(dirname "$0")/unpack.sh"
unpack_forge "$build" levels || exit 0
for dir in "$unpacked"/levels/level*/; do
  n=$(basename "$dir")
  {
    sed "s#levels/$n/#levels/level01/#g" "$dir/enemies.ter"
    for f in terra.ter clouds.cld; do
      printf '\n--- levels/level01/%s\n' "$f"
      sed "s#levels/$n/#levels/level01/#g" "$dir/$f"
    done
    printf '\n--- levels/levels.txt\n'
    cat "$unpacked/levels/levels.txt"
  } >"$out/$n"
done
{
  printf 'enemies_count 0\n--- levels/level01/terra.ter\n'
  cat "$unpacked/levels/level01/terra.ter"
} >"$out/no_enemies"
