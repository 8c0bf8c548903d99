#!/usr/bin/env bash
# What a player hears in level 1: the game runs with SDL's disk driver as its sound card, so its
# whole sound output is recorded, and with its audio trace on. The flight fires missiles and
# torpedoes; the tuning of this copy of the game burns fuel several times faster, so the low-fuel
# warning comes within seconds. gw_audio_check then finds, in the recording, the engine loop, the
# missiles in flight, the explosions and the warning at the frames the trace gives. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
copy_game
held_keys="Control_L space"

# The main pack with a hungrier tuning table: unpacked, edited, packed again with the same entries
# enciphered.
key=qpwoeirut5678zmxncbv0192
pack="$build/game/data/data.pk"
"$build/bin/gw-pack" extract "$pack" unpacked --key "$key" >/dev/null || fail "cannot unpack the main pack"
grep -q "^m_fuel_rate_normal" unpacked/dat/game.txt || fail "no fuel rate in dat/game.txt"
sed -i 's/^m_fuel_rate_normal.*/m_fuel_rate_normal "0.05 0.05 0.05"/' unpacked/dat/game.txt
enc=()
while read -r name _ flag _; do [[ "$flag" == y ]] && enc+=(--encipher "$name"); done < <("$build/bin/gw-pack" list "$pack")
"$build/bin/gw-pack" create data/data.pk unpacked --key "$key" "${enc[@]}" >/dev/null ||
  fail "cannot pack the edited files"
rm -rf unpacked

GW_AUDIO_TRACE="$work/trace.txt" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" start_game
grep -qx "CSoundManager::Initialize = true" log.txt || fail "no 'CSoundManager::Initialize = true'"
grep -q "^Sound: \|^Music: " log.txt && fail "a sound or track of the game did not load"
fly_level_one
sleep 3                            # the start run
# Missiles (left Ctrl) and torpedoes (Space), held long enough for a game update to see them,
# until the warning has sounded four times (a loaded machine runs the game slower: up to 90 s).
# A louder explosion can mask one of them, and most must be heard.
for _ in $(seq 1 75); do
  hold Control_L 0.3
  hold space 0.3
  sleep 0.6
  [[ $(grep -c " play [0-9]* sounds/s12.ogg" trace.txt) -ge 4 ]] && break
done
xdotool key Escape
sleep 1
stop_game
[[ -s trace.txt && -s audio.raw ]] || fail "no trace or no recording"

"$build/bin/gw_audio_check" "$build/game" audio.raw trace.txt \
  --expect engine=sounds/s1.ogg,sounds/s15.ogg \
  --expect missile=sounds/s6.ogg \
  --expect explosion=sounds/s61.ogg,sounds/s41.ogg,sounds/s42.ogg,sounds/s43.ogg,sounds/s44.ogg,sounds/s45.ogg \
  --expect warning=sounds/s12.ogg || fail "the recording does not hold the sounds the trace gives"
echo "ok"
