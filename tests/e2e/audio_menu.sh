#!/usr/bin/env bash
# The menu's music and the game without a sound card. First the game starts with an audio driver
# that does not exist: it must reach the main menu and fly level 1 silently, with
# "CSoundManager::Initialize = true" logged, no message box, and leave cleanly. Then it starts
# with SDL's disk driver as its sound card, sped up (a short delay per buffer instead of a
# buffer's duration) so that the first track plays to its end within seconds; gw_audio_check then
# finds track 1 heard from its start to its end and track 2 following it. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game
held_keys="Control_L"

# No sound device at all: the menu, then a few seconds of level 1 with a missile fired.
SDL_AUDIODRIVER=no-such-driver start_game
grep -qx "CSoundManager::Initialize = true" log.txt || fail "no 'CSoundManager::Initialize = true' without a device"
grep -q "^Sound: \|^Music: " log.txt && fail "the silent game tried to load sounds"
[[ $(xdotool search --pid "$pid" 2>/dev/null | wc -l) -eq 1 ]] ||
  fail "more than one window without a sound device (a message box?)"
fly_level_one
sleep 3
hold Control_L 0.3
sleep 1
xdotool key Escape
wait_log "^CGame: left the game at"
stop_game

# The menu's music through a fast sound card: 3 ms per 1024-frame buffer instead of 23.
rm -f data/save.sav
GW_AUDIO_TRACE="$work/trace.txt" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" SDL_DISKAUDIODELAY=3 start_game
for _ in $(seq 1 1200); do
  [[ $(grep -c " music sounds/" trace.txt 2>/dev/null) -ge 2 ]] && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended in the menu"
  sleep 0.1
done
sleep 3
stop_game
grep " music" trace.txt
"$build/bin/gw_audio_check" "$build/game" audio.raw trace.txt --music sounds/track1.xm,sounds/track2.xm ||
  fail "the menu did not play track 1 then track 2"
echo "ok"
