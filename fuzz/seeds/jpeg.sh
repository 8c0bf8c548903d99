#!/usr/bin/env bash
# Seeds for jpeg_fuzz: small JPEG pictures of the game's packs. Usage: jpeg.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
tool="$build/bin/gw-pack"
for pack in "$build/game/data/data.pk" "$build/game/levels/base.set"; do
  [[ -x "$tool" && -f "$pack" ]] || continue
  key=qpwoeirut5678zmxncbv0192
  [[ "$pack" == *.set ]] && key=k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1
  tmp=$(mktemp -d)
  "$tool" extract "$pack" "$tmp" --key "$key" >/dev/null
  find "$tmp" \( -iname '*.jpg' -o -iname '*.jpeg' \) -size -24k | head -n 10 |
    while read -r f; do cp "$f" "$out/$(basename "$f")"; done
  rm -rf "$tmp"
done
