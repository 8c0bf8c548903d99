#!/usr/bin/env bash
# Seeds for tga_fuzz: tiny pictures of 24 and 32 bits made here, and small TGAs of the game's
# pack. Usage: tga.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf '\0\0\2\0\0\0\0\0\0\0\0\0\2\0\2\0\x18\0\1\2\3\4\5\6\7\10\11\12\13\14' >"$out/rgb_2x2"
printf '\0\0\2\0\0\0\0\0\0\0\0\0\1\0\2\0\x20\x08\1\2\3\4\5\6\7\10' >"$out/rgba_1x2"
pack="$build/game/data/data.pk"
tool="$build/bin/gw-pack"
if [[ -x "$tool" && -f "$pack" ]]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  "$tool" extract "$pack" "$tmp" --key qpwoeirut5678zmxncbv0192 >/dev/null
  find "$tmp" -iname '*.tga' -size -20k | head -n 10 | while read -r f; do cp "$f" "$out/$(basename "$f")"; done
fi
