#!/usr/bin/env bash
# Seeds for 3ds_fuzz: the forge's 3DS models, unpacked from the game's pack by gw-pack.
# Usage: 3ds.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
# The smallest valid file: a main chunk holding an empty editor chunk.
printf 'MM\x0c\x00\x00\x00==\x06\x00\x00\x00' >"$out/empty_editor"
pack="$build/game/data/data.pk"
tool="$build/bin/gw-pack"
if [[ -x "$tool" && -f "$pack" ]]; then
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  "$tool" extract "$pack" "$tmp" --key qpwoeirut5678zmxncbv0192 >/dev/null
  find "$tmp" -iname '*.3ds' -size -64k | while read -r f; do cp "$f" "$out/$(basename "$f")"; done
fi
