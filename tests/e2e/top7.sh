#!/usr/bin/env bash
# A lost game enters the Top 7: level 1 of a copy of the level set holds one slow enemy plane
# straight ahead, so that the fire key held in each flight scores; each flight then ends against the valley wall.
# After the last crash the game-over dialog takes a name typed with xdotool; after a restart the
# Top 7 dialog is opened from the menu and the name is in "data/scores1.tab", which deciphers to
# the table's keys, while "data/scores2.tab" (custom games) does not hold it. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
pack="$build/bin/gw-pack"
levels_key="k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1"
table_key="zu#58p"
need_display
copy_game
held_keys="Control_L Left"
rm -f data/scores1.tab data/scores2.tab

# The level set with level 1 reduced to one target dead ahead.
"$pack" extract "$build/game/levels/base.set" set --key "$levels_key" >/dev/null || fail "cannot unpack the level set"
cat >set/levels/level01/enemies.ter <<'TER'
enemies_count 1
name0 EnemyPlane1
m_kind0 0
m_sp0 0.001
m_spx0 0
m_spy0 -1
m_spz0 0
m_az0 -180
m_lpx0 0
m_lpy0 45
m_lpz0 3
TER
"$pack" create levels/base.set set --key "$levels_key" --encipher '*.ter' --encipher '*.cld' --encipher '*.txt' \
  >/dev/null || fail "cannot pack the level set"
rm -rf set

start_game
click 400 226                      # Play
click 400 258                      # New Game
for life in 1 2 3 4 5; do
  for _ in $(seq 1 100); do
    [[ $(grep -c "^CGameField::NewLevel = ok" log.txt) -ge $life ]] && break
    sleep 0.1
  done
  sleep 1.5
  click 400 462                    # Take Off
  for _ in $(seq 1 100); do
    [[ $(grep -c "^CGame: level 1 with aircraft" log.txt) -ge $life ]] && break
    sleep 0.1
  done
  xdotool keydown Control_L        # fire at the plane ahead
  sleep 6
  xdotool keydown Left             # then into the valley wall
  for _ in $(seq 1 600); do
    [[ $(grep -c "^CGameField::NewLevel(" log.txt) -gt $life ]] && break
    grep -q "^CGame: game over" log.txt && break
    sleep 0.1
  done
  xdotool keyup Left keyup Control_L
  grep -q "^CGame: game over" log.txt && break
done
wait_log "^CGame: game over" 50
score=$(sed -nE 's/^CGame: game over, score (-?[0-9]+)$/\1/p' log.txt | tail -n 1)
[[ -n "$score" && "$score" != 0 ]] || fail "the lost game scored nothing (score '$score')"
wait_log "^Game over: score $score"
sleep 1.5
xdotool type --delay 120 "Ada Vance"
sleep 0.5
xdotool key Return
wait_log "^Top 7: Ada Vance, $score, level 1"
sleep 1
stop_game

# The table file: enciphered with the table key, holding the documented keys.
[[ -f data/scores1.tab ]] || fail "no data/scores1.tab"
plain=$("$pack" decipher data/scores1.tab --key "$table_key") || fail "data/scores1.tab does not decipher"
echo "$plain" | grep -qx 'name0 "Ada Vance"' || fail "name0 is not the typed name: $plain"
echo "$plain" | grep -qx "score0 $score" || fail "score0 is not $score: $plain"
echo "$plain" | grep -qx "level0 1" || fail "level0 is not 1: $plain"
echo "$plain" | grep -qx "num 1" || fail "num is not 1: $plain"
if [[ -f data/scores2.tab ]]; then
  "$pack" decipher data/scores2.tab --key "$table_key" | grep -q "Ada" && fail "the custom table holds the name"
fi

# After a restart the Top 7 dialog shows the table read back from the file.
: >log.txt
start_game
click 400 424                      # Top 7
sleep 1
wait_log "^Top 7: table 0 shown, 1 entries"
xdotool key Escape
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the game ended on the Top 7 dialog"
stop_game
echo "ok: score $score entered as Ada Vance and kept across a restart"
