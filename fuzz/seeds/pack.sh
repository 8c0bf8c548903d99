#!/usr/bin/env bash
# Seeds for pack_fuzz: small packs made by gw-pack from a folder of text files, plus a
# zero-entry pack. Usage: pack.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'LB\0\0\0\0' >"$out/empty_pack"
tool="$build/bin/gw-pack"
if [[ ! -x "$tool" ]]; then
  echo "pack seeds: $tool not built; only the empty pack" >&2
  exit 0
fi
src=$(mktemp -d)
trap 'rm -rf "$src"' EXIT
mkdir -p "$src/dat" "$src/levels/level01"
printf 'm_lives 3\nm_fuel 100.000000\n' >"$src/dat/game.txt"
printf 'levels_count 1\n' >"$src/levels/levels.txt"
printf 'm_kind0 2 m_pos0 "1 2 3"\n' >"$src/levels/level01/enemies.ter"
"$tool" create "$out/plain.pk" "$src" --key qpwoeirut5678zmxncbv0192
"$tool" create "$out/mixed.pk" "$src" --key qpwoeirut5678zmxncbv0192 --encipher 'dat/*'
"$tool" create "$out/all.set" "$src" --key k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1 --encipher '*'
