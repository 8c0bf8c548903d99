#!/usr/bin/env bash
# Hostile files never stop the game. The game starts with a chosen level set whose pack is cut
# short, zero-filled, random bytes, or claims 2 billion levels: the menu shows, New Game on that
# set starts a level (an empty one where nothing could be read) and takes off, every click is
# answered within a second (its log line), Escape leaves the flight, and switching back to the
# base set in the level-set dialog plays level 1 with its terrain. Then a cut and a zero-filled
# "data/data.pk": one line on standard error and in the log says so, the log names the files
# found nowhere, and the game still starts, takes a click and ends cleanly. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
pack="$build/bin/gw-pack"
levels_key="k4m29vbx7qlw0zt3r8yn6ds1hpe5jfc2gua9mk7w3xq0lv8tb5nr1"
need_display

# The player's controls with the chosen level set, as the game stores them.
save_with_set() {
  printf 'm_left_key 203\nm_right_key 205\nm_up_key 200\nm_down_key 208\nm_camera_key 46\n' >save.txt
  printf 'm_fire_primary_key 29\nm_fire_secondary_key 57\nm_maneuver_key 42\nm_camera_pos 7\n' >>save.txt
  printf 'm_custom_level_num 1\nm_levels_pack_name %s\n' "$1" >>save.txt
  "$pack" encipher save.txt data/save.sav --key kq71x >/dev/null || fail "gw-pack encipher"
}

# A click whose answer is a log line, within $answer tenths of a second of the click.
answer=10
click_answered() {
  local before
  before=$(grep -c "$3" log.txt)
  xdotool mousemove --window "$wid" "$1" "$2" sleep 0.1 mousedown 1 sleep 0.05 mouseup 1
  for _ in $(seq 1 "$answer"); do
    [[ $(grep -c "$3" log.txt) -gt $before ]] && return 0
    sleep 0.1
  done
  fail "no answer to the click at ($1, $2) within $answer tenths of a second: $3"
}

# New Game, Take Off on the current set, a moment of flight, Escape back to the game dialog
# (which opens again by itself). From the main menu ("menu") the Play button opens it first.
new_game_and_fly() {
  [[ "${1:-}" == menu ]] && click 400 226                 # Play
  click_answered 400 258 "^CGameField::NewLevel("        # New Game: the level start begins
  wait_log "^CGameField::NewLevel = ok" 100
  sleep 1
  click_answered 400 462 "^CGame: level 1 with aircraft"  # Take Off
  local starts
  starts=$(grep -c "^CGameField::NewLevel = ok" log.txt)
  sleep 2
  kill -0 "$pid" 2>/dev/null || fail "the game ended in flight"
  # Escape leaves the flight, or, when the aircraft was lost over a level without ground (the
  # level starts again), the begin-level screen: either way the game dialog opens again.
  xdotool key Escape
  for _ in $(seq 1 20); do
    grep -q "^CGame: left the game at" log.txt && break
    [[ $(grep -c "^CGameField::NewLevel = ok" log.txt) -gt $starts ]] && break
    sleep 0.1
  done
  grep -q "^CGame: left the game at" log.txt || [[ $(grep -c "^CGameField::NewLevel = ok" log.txt) -gt $starts ]] ||
    fail "Escape did not leave the flight"
  sleep 1
}

for kind in cut zeros random two_billion; do
  copy_game
  base="$build/game/levels/base.set"
  case $kind in
    cut) head -c 200000 "$base" >levels/hostile.set ;;  # inside level 1's height image
    zeros) head -c 200000 /dev/zero >levels/hostile.set ;;
    random) perl -e 'srand(19); print map { chr(int(rand(256))) } 1 .. 200000' >levels/hostile.set ;;
    two_billion)
      "$pack" extract "$base" set --key "$levels_key" >/dev/null || fail "cannot unpack the level set"
      sed -i 's/^levels_count .*/levels_count 2000000000/' set/levels/levels.txt
      "$pack" create levels/hostile.set set --key "$levels_key" --encipher '*' >/dev/null || fail "cannot pack"
      rm -rf set ;;
  esac
  save_with_set levels/hostile.set
  answer=10
  start_game
  [[ $kind == two_billion ]] || grep -q "levels/hostile.set" log.txt || fail "$kind: the hostile set was not tried"
  new_game_and_fly menu
  # Back to the base set: Level Set, its first row (the sets are sorted: base comes first), Enter.
  click 400 378
  # The first press gives the list the focus, the second picks the row.
  for _ in 1 2; do
    xdotool mousemove --window "$wid" 300 205 sleep 0.1 mousedown 1 sleep 0.05 mouseup 1
    sleep 0.4
  done
  xdotool key Return
  wait_log "^Level set: levels/base.set (10 levels)" 10
  from=$(wc -l <log.txt)
  answer=100  # the base set's level 1 is a real level to load, not an answer to wait for
  new_game_and_fly
  tail -n +"$from" log.txt | grep -q "has no terrain" && fail "$kind: the base set's level 1 has no terrain"
  stop_game
  echo "$kind: ok"
  cd / && rm -rf "$work" && work=""
done

# A damaged main pack: a third of it, then zeros.
for kind in cut zeros; do
  copy_game
  size=$(stat -c %s data/data.pk)
  if [[ $kind == cut ]]; then head -c $((size / 3)) data/data.pk >cut.pk; else head -c "$size" /dev/zero >cut.pk; fi
  mv cut.pk data/data.pk
  start_game
  [[ $(grep -c "data/data.pk is missing or damaged" stdout.txt) -eq 1 ]] || fail "$kind: not one line on standard error: $(cat stdout.txt)"
  [[ $(grep -c "^data/data.pk is missing or damaged" log.txt) -eq 1 ]] || fail "$kind: not one line in the log"
  grep -q "found nowhere" log.txt || fail "$kind: the log names no missing file"
  # What the menu can show depends on what survived (the layout may be gone): the game runs on.
  sleep 2
  xdotool mousemove --window "$wid" 400 226 sleep 0.1 mousedown 1 sleep 0.05 mouseup 1
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "$kind: the game ended"
  stop_game
  echo "data.pk $kind: ok"
  cd / && rm -rf "$work" && work=""
done
echo "ok"
