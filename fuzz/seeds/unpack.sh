#!/usr/bin/env bash
# Sourced by the seed scripts: unpack_forge BUILD main|levels unpacks the forge's main pack or base
# level set into a new temporary folder (removed on exit) and sets $unpacked to it; it returns 1,
# with a note on standard error, when gw-pack or the pack is not built yet.
unpack_forge() {
  local tool="$1/bin/gw-pack" pack key
  if [[ $2 == main ]]; then
    pack="$1/game/data/data.pk" key=qpwoeirut5678zmxncbv0192
  else
    pack="$1/game/levels/base.set" key=k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1
  fi
  if [[ ! -x "$tool" || ! -f "$pack" ]]; then
    echo "seeds: $tool or $pack missing; only the small seeds" >&2
    return 1
  fi
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  "$tool" extract "$pack" "$unpacked" --key "$key" >/dev/null
}
