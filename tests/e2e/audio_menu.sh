#!/usr/bin/env bash
# The menu's music and the game without a sound card. First the game starts with an audio driver
# that does not exist: it must reach the main menu and fly level 1 silently, with
# "CSoundManager::Initialize = true" logged, no message box, and leave cleanly. Then it starts with SDL's disk driver as its
# sound card, sped up (a short delay per buffer instead of a buffer's duration) so that the
# first track plays to its end within seconds; gw_audio_check then finds track 1 heard from its
# start to its end and track 2 following it. Under Xvfb.
set -u
build="$1"
bin="$build/bin/gorgewing2"
fail() { echo "FAIL: $*"; [[ -f "${work:-}/log.txt" ]] && tail -n 20 "$work/log.txt"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 0; }
work=$(mktemp -d)
pid=""
trap '[[ -n "$pid" ]] && { kill -TERM "$pid" 2>/dev/null; wait "$pid"; }; rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/levels"
cp -r "$build/game/data/." "$work/data/"
cp -r "$build/game/levels/." "$work/levels/"
rm -f "$work/data/dx.cfg" "$work/data/save.sav"
cd "$work" || fail "no folder"

start() {
  rm -f log.txt
  "$bin" >"$work/stdout.txt" 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    grep -q "^CMainMenu = ok" log.txt 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || fail "the game ended at start-up"
    sleep 0.1
  done
  fail "no main menu"
}
stop() {
  kill -TERM "$pid"
  wait "$pid"
  local rc=$?
  pid=""
  [[ $rc -eq 0 ]] || fail "exit code $rc"
}

click() { xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 mousedown 1 sleep 0.1 mouseup 1; sleep 0.8; }
wait_log() {
  for _ in $(seq 1 100); do grep -q "$1" log.txt && return 0; sleep 0.1; done
  fail "no log line: $1"
}

# No sound device at all: the menu, then a few seconds of level 1 with a missile fired.
SDL_AUDIODRIVER=no-such-driver start
sleep 1
grep -qx "CSoundManager::Initialize = true" log.txt || fail "no 'CSoundManager::Initialize = true' without a device"
grep -q "^Sound: \|^Music: " log.txt && fail "the silent game tried to load sounds"
wids=$(xdotool search --pid "$pid" 2>/dev/null)
[[ $(echo "$wids" | wc -l) -eq 1 ]] || fail "more than one window without a sound device (a message box?)"
click "$wids" 400 226              # Play
click "$wids" 400 258              # New Game
wait_log "^CGameField::NewLevel = ok"
click "$wids" 400 462              # Take Off
wait_log "^CGame: level 1 with aircraft 1"
sleep 3
xdotool keydown Control_L; sleep 0.3; xdotool keyup Control_L
sleep 1
xdotool key Escape
wait_log "^CGame: left the game at"
stop

# The menu's music through a fast sound card: 3 ms per 1024-frame buffer instead of 23.
GW_AUDIO_TRACE="$work/trace.txt" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" SDL_DISKAUDIODELAY=3 start
for _ in $(seq 1 1200); do
  [[ $(grep -c " music sounds/" trace.txt 2>/dev/null) -ge 2 ]] && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended in the menu"
  sleep 0.1
done
sleep 3
stop
grep " music" trace.txt
"$build/bin/gw_audio_check" "$build/game" audio.raw trace.txt --music sounds/track1.xm,sounds/track2.xm ||
  fail "the menu did not play track 1 then track 2"
echo "ok"
