#!/usr/bin/env bash
# Seeds for glyph_fuzz: the game's font picture "mui/font.tga" when the pack holds one, and a
# tiny 32-bit picture with two glyphs. Usage: glyph.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
# 4 x 2 pixels, 32 bits: ink, gap, ink, gap on both rows.
printf '\0\0\2\0\0\0\0\0\0\0\0\0\4\0\2\0\x20\x08' >"$out/two_glyphs"
for _ in 1 2; do
  printf '\377\377\377\377\0\0\0\0\377\377\377\377\0\0\0\0' >>"$out/two_glyphs"
done
pack="$build/game/data/data.pk"
tool="$build/bin/gw-pack"
if [[ -x "$tool" && -f "$pack" ]]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  "$tool" extract "$pack" "$tmp" --key qpwoeirut5678zmxncbv0192 >/dev/null
  if [[ -f "$tmp/mui/font.tga" ]]; then cp "$tmp/mui/font.tga" "$out/font.tga"; fi
fi
