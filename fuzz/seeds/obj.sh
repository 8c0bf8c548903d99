#!/usr/bin/env bash
# Seeds for obj_fuzz: small meshes in every face form, with groups and materials, and the
# forge's unit meshes when the game's packs are built. Usage: obj.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'g body\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a\nf 1 2 3\ng rotor\nv 0 0 1\nv 1 0 1\nv 0 1 1\nf 4 5 6\n' >"$out/plain"
printf 'g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/3/1\n' >"$out/full"
printf 'g a\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nf 1//1 2//1 3//1\ng b\nvt 0 0\nf 1/1/1 2/1/1 3/1/1\n' >"$out/normals"
tool="$build/bin/gw-pack"
for pack in "$build/game/data/data.pk" "$build/game/levels/base.set"; do
  [[ -x "$tool" && -f "$pack" ]] || continue
  key=qpwoeirut5678zmxncbv0192
  [[ "$pack" == *.set ]] && key=k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1
  tmp=$(mktemp -d)
  "$tool" extract "$pack" "$tmp" --key "$key" >/dev/null
  find "$tmp" -iname '*.obj' -size -64k | head -n 20 | while read -r f; do cp "$f" "$out/$(basename "$f")"; done
  rm -rf "$tmp"
done
