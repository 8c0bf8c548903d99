#!/usr/bin/env bash
# A set from gw-forge valleys: the Level Set dialog lists it by its title, choosing it and a new
# game starts its first level, and the saved preferences name it. Run under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game

"$build/bin/gw-forge" valleys --seed 4242 --levels 1 --title "E2E Gorge" levels/e2e.set >/dev/null ||
  fail "gw-forge valleys failed"
start_game
click 400 226                      # Play
click 400 378                      # Level Set: base (10), then E2E Gorge (1)
click 400 231                      # the list takes the focus,
click 400 231                      # then the second row
click 315 440                      # OK
click 400 258                      # New Game
wait_log "^CGameField::NewLevel = ok"
click 400 462                      # the second aircraft's Take Off
wait_log "^CGame: level 1 with aircraft 1"
sleep 2
grep -q "cannot\|no terrain" log.txt && fail "the level did not load whole"
"$build/bin/gw-pack" decipher data/save.sav --key kq71x | grep -qx "m_levels_pack_name levels/e2e.set" ||
  fail "the chosen set is not the one played"
stop_game
echo "ok"
