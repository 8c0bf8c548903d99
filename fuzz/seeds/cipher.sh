#!/usr/bin/env bash
# Seeds for cipher_fuzz: a key-length byte, the key, then a file enciphered by gw-pack with it.
# Usage: cipher.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
tool="$build/bin/gw-pack"
text=$(mktemp)
enc=$(mktemp)
trap 'rm -f "$text" "$enc"' EXIT
printf 'm_autosave 0\nm_sound 1\nm_window_height 768\nm_window_width 1024\nx 0\ny 0\n' >"$text"
printf '\003zel' >"$out/raw_text"
cat "$text" >>"$out/raw_text"
if [[ -x "$tool" ]]; then
  for key in zel kq71x; do
    "$tool" encipher "$text" "$enc" --key "$key"
    { printf "\\$(printf '%03o' ${#key})%s" "$key"; cat "$enc"; } >"$out/enciphered_$key"
  done
fi
