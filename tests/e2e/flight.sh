#!/usr/bin/env bash
# A person's first flight: Play, New Game, the second aircraft chosen with the mouse, a few
# seconds of flight with the arrow keys (left, faster), the camera key held, Escape back to the
# menu, Continue, a little more flight, Escape again. The log tells what happened. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game
held_keys="Left"

start_game
click 400 226                      # Play
click 400 258                      # New Game
wait_log "^CGameField::NewLevel = ok"
grep -q "^CGameField::NewLevel(1)" log.txt || fail "level 1 not started"
for line in "AtmosphericCtpl = ok" "CLevel = ok" "camera = ok" "CPlayer = ok" "CMissleCtrl = ok" \
            "save 2 cfg = ok" "cfg.SaveConfig = ok"; do
  grep -qx "$line" log.txt || fail "no '$line'"
done
[[ -f data/save.sav ]] || fail "no autosave"
click 400 462                      # the second aircraft's Take Off
wait_log "^CGame: level 1 with aircraft 1"
# The start run takes the controls for a moment (longer on a busy machine, which runs slower).
sleep 3
hold Up 1
# Escape while the left key still banks the aircraft.
xdotool keydown Left
sleep 1
xdotool key Escape
xdotool keyup Left
wait_log "^CGame: left the game at"
first=$(grep "^CGame: left the game at" log.txt | tail -n 1)
x=$(echo "$first" | sed -E 's/.*\((-?[0-9.]+), (-?[0-9.]+)\) banked (-?[0-9.]+)/\1/')
y=$(echo "$first" | sed -E 's/.*\((-?[0-9.]+), (-?[0-9.]+)\) banked (-?[0-9.]+)/\2/')
roll=$(echo "$first" | sed -E 's/.*\((-?[0-9.]+), (-?[0-9.]+)\) banked (-?[0-9.]+)/\3/')
awk -v y="$y" 'BEGIN { exit !(y > 10.5) }' || fail "the aircraft did not fly past its start run (y $y)"
awk -v r="$roll" -v x="$x" 'BEGIN { exit !(r < -0.5 && x <= 0) }' || fail "the left key did not bank left (roll $roll, x $x)"
kill -0 "$pid" 2>/dev/null || fail "the game ended on Escape"

sleep 1.5
click 400 198                      # Continue, in the game dialog that opened again
wait_log "^CGame: playing level 1"
sleep 2
xdotool key Escape
sleep 1
n=$(grep -c "^CGame: left the game at" log.txt)
[[ "$n" -ge 2 ]] || fail "the continued game was not left with Escape"
second=$(grep "^CGame: left the game at" log.txt | tail -n 1)
y2=$(echo "$second" | sed -E 's/.*\((-?[0-9.]+), (-?[0-9.]+)\).*/\2/')
awk -v a="$y" -v b="$y2" 'BEGIN { exit !(b > a + 1) }' || fail "the continued flight did not go on ($y -> $y2)"
grep -c "^CGameField::NewLevel(" log.txt | grep -qx 1 || fail "continue started a new level"

stop_game
echo "ok: flew to ($x, $y) banked $roll, continued to y $y2"
