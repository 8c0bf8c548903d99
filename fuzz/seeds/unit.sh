#!/usr/bin/env bash
# Seeds for unit_fuzz: the forge's unit files, each followed by the mesh it names at a
# "--- NAME" marker line, plus a small unit with three groups. Usage: unit.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'faces_file_name dat/m.obj\nscale 2\n--- dat/m.obj\ng body\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\ng rotor\nv 0 0 1\nv 1 0 1\nv 0 1 1\nf 4 5 6\ng tail\nv 2 0 0\nv 2 1 0\nv 2 0 1\nf 7 8 9\n' \
  >"$out/three_groups"
source "$(dirname "$0")/unpack.sh"
unpack_forge "$build" main || exit 0
find "$unpacked" -iname '*.unt' | sort | while read -r unt; do
  mesh=$(awk '$1 == "faces_file_name" { print $2 }' "$unt" | tr -d '\r')
  [[ -n "$mesh" && -f "$unpacked/$mesh" ]] || continue
  # Meshes past 64 KiB would slow every run of the target; the forge's are smaller.
  [[ $(stat -c %s "$unpacked/$mesh") -le 65536 ]] || continue
  { cat "$unt"; printf '\n--- %s\n' "$mesh"; cat "$unpacked/$mesh"; } >"$out/$(basename "$unt" .unt)"
done
