#!/usr/bin/env bash
# Alt+F4 leaves the game as the quit button does: tapped and held for half a second, from the
# main menu and from a level in flight. Each time the game ends with exit code 0 within a second
# of the key's release and has written the settings, the controls and both tables. While the keys
# are held the game waits for their release. Under Xvfb, where no window manager takes Alt+F4.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game
held_keys="F4 Alt_L"
written="data/dx.cfg data/save.sav data/scores1.tab data/scores2.tab"

# Alt+F4 tapped or held ($1) at a place ($2); then the game's end is timed from the release.
alt_f4() {
  local how="$1" where="$2" released ended="" rc ms f
  rm -f $written
  if [[ $how == tap ]]; then
    xdotool key alt+F4
  else
    xdotool keydown alt+F4
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "Alt+F4 held $where: the game ended before the keys came up"
    xdotool keyup F4 keyup alt
  fi
  released=$(date +%s%N)
  for _ in $(seq 1 500); do
    kill -0 "$pid" 2>/dev/null || { ended=$(date +%s%N); break; }
    sleep 0.01
  done
  [[ -n "$ended" ]] || fail "Alt+F4 $how $where: still running 5 s after the release"
  wait "$pid"
  rc=$?
  pid=""
  ms=$(( (ended - released) / 1000000 ))
  [[ $rc -eq 0 ]] || fail "Alt+F4 $how $where: exit code $rc"
  (( ms <= 1000 )) || fail "Alt+F4 $how $where: the game ended $ms ms after the release"
  for f in $written; do
    [[ -f $f ]] || fail "Alt+F4 $how $where: $f not written"
  done
  echo "Alt+F4 $how $where: exit code 0, $ms ms after the release"
}

for how in tap hold; do
  start_game
  xdotool mousemove --window "$wid" 400 300
  sleep 0.3
  alt_f4 "$how" "in the main menu"
done

for how in tap hold; do
  start_game
  fly_level_one
  sleep 1
  alt_f4 "$how" "in flight"
done
echo "ok"
