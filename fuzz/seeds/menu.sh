#!/usr/bin/env bash
# Seeds for menu_fuzz: the forge's layout file, and a small layout naming a texture that is the
# layout itself. Usage: menu.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'm_ok_btn mui/menu.txt\nm_ngd_ok_btnx 40\nm_ngd_ok_btny 160\nm_nd_x 200\nm_nd_y 150\nm_nd_width 400\nm_nd_height 250\n' >"$out/small"
source "$(dirname "$0")/unpack.sh"
unpack_forge "$build" main || exit 0
cp "$unpacked/mui/menu.txt" "$out/menu"
