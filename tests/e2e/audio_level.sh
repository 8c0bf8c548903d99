#!/usr/bin/env bash
# What a player hears in level 1: the game runs with SDL's disk driver as its sound card, so its
# whole sound output is recorded, and with its audio trace on. The flight fires missiles and
# torpedoes; the tuning of this copy of the game burns fuel several times faster, so the low-fuel
# warning comes within seconds. gw_audio_check then finds, in the recording, the engine loop, the
# missiles in flight, the explosions and the warning at the frames the trace gives. Under Xvfb.
set -u
build="$1"
bin="$build/bin/gorgewing2"
fail() { echo "FAIL: $*"; [[ -f "${work:-}/log.txt" ]] && tail -n 30 "$work/log.txt"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 0; }
work=$(mktemp -d)
pid=""
trap '[[ -n "$pid" ]] && { kill -TERM "$pid" 2>/dev/null; wait "$pid"; }; xdotool keyup Control_L space 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/levels"
cp -r "$build/game/levels/." "$work/levels/"

# The main pack with a hungrier tuning table: unpacked, edited, packed again with the same entries
# enciphered.
key=qpwoeirut5678zmxncbv0192
pack="$build/game/data/data.pk"
"$build/bin/gw-pack" extract "$pack" "$work/unpacked" --key "$key" >/dev/null || fail "cannot unpack the main pack"
grep -q "^m_fuel_rate_normal" "$work/unpacked/dat/game.txt" || fail "no fuel rate in dat/game.txt"
sed -i 's/^m_fuel_rate_normal.*/m_fuel_rate_normal "0.07 0.07 0.07"/' "$work/unpacked/dat/game.txt"
enc=()
while read -r name _ flag _; do [[ "$flag" == y ]] && enc+=(--encipher "$name"); done < <("$build/bin/gw-pack" list "$pack")
"$build/bin/gw-pack" create "$work/data/data.pk" "$work/unpacked" --key "$key" "${enc[@]}" >/dev/null ||
  fail "cannot pack the edited files"
rm -rf "$work/unpacked"
cd "$work" || fail "no folder"

GW_AUDIO_TRACE="$work/trace.txt" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
  "$bin" >"$work/stdout.txt" 2>&1 &
pid=$!
wid=""
for _ in $(seq 1 200); do
  wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
  [[ -n "$wid" ]] && grep -q "^CMainMenu = ok" log.txt 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended at start-up"
  sleep 0.1
done
[[ -n "$wid" ]] || fail "no window"
grep -qx "CSoundManager::Initialize = true" log.txt || fail "no 'CSoundManager::Initialize = true'"
grep -q "^Sound: \|^Music: " log.txt && fail "a sound or track of the game did not load"
sleep 1

click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.1 mouseup 1; sleep 0.8; }
wait_log() {
  for _ in $(seq 1 100); do grep -q "$1" log.txt && return 0; sleep 0.1; done
  fail "no log line: $1"
}
click 400 226                      # Play
click 400 258                      # New Game
wait_log "^CGameField::NewLevel = ok"
click 400 462                      # the second aircraft's Take Off
wait_log "^CGame: level 1 with aircraft 1"
sleep 3                            # the start run
# Missiles (left Ctrl) and torpedoes (Space), held long enough for a game update to see them,
# until the tank runs dry.
for _ in $(seq 1 14); do
  xdotool keydown Control_L; sleep 0.3; xdotool keyup Control_L
  xdotool keydown space; sleep 0.3; xdotool keyup space
  sleep 0.6
done
xdotool key Escape
sleep 1
kill -TERM "$pid"
wait "$pid"
rc=$?
pid=""
[[ $rc -eq 0 ]] || fail "exit code $rc"
[[ -s trace.txt && -s audio.raw ]] || fail "no trace or no recording"

"$build/bin/gw_audio_check" "$build/game" audio.raw trace.txt \
  --expect engine=sounds/s1.ogg,sounds/s15.ogg \
  --expect missile=sounds/s6.ogg \
  --expect explosion=sounds/s61.ogg,sounds/s41.ogg,sounds/s42.ogg,sounds/s43.ogg,sounds/s44.ogg,sounds/s45.ogg \
  --expect warning=sounds/s12.ogg || fail "the recording does not hold the sounds the trace gives"
echo "ok"
