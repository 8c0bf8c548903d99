#!/usr/bin/env bash
# The attract mode: the game left idle on its main menu flies a demonstration by itself (the log
# says so), a key gives the menu back, and the demonstration wrote no save and no score table.
# The idle time is shortened through GORGEWING2_ATTRACT_IDLE. Run under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game

GORGEWING2_ATTRACT_IDLE=3 start_game
wait_log "^Attract mode: demo of level [0-9]* with aircraft [0-2]$" 200
sleep 2
grep -q "^CGameField::NewLevel = ok" log.txt || fail "the demonstration started no level"
xdotool key --window "$wid" space
wait_log "^Attract mode: back to the menu" 50
[[ -e data/save.sav || -e data/scores1.tab || -e data/scores2.tab ]] && fail "the demonstration wrote the save or a table"
# Back on the menu the idle time counts again: a second demonstration follows.
sleep 1
[[ $(grep -c "^Attract mode: demo of level" log.txt) -eq 1 ]] || fail "a demonstration started again at once"
for _ in $(seq 1 300); do
  [[ $(grep -c "^Attract mode: demo of level" log.txt) -ge 2 ]] && break
  sleep 0.1
done
[[ $(grep -c "^Attract mode: demo of level" log.txt) -eq 2 ]] || fail "no second demonstration"
stop_game
echo "ok"
