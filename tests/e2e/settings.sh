#!/usr/bin/env bash
# Settings survive and bad files never stop the game: a "data/dx.cfg" made with gw-pack opens a
# 1024 x 768 window, the game's own "data/dx.cfg" deciphers with gw-pack, and a corrupted pack or
# settings file still starts the game with its defaults.
set -u
build="$1"
bin="$build/bin/gorgewing2"
pack="$build/bin/gw-pack"
fail() { echo "FAIL: $*"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/levels"
cp -r "$build/game/data/." "$work/data/" 2>/dev/null
cp -r "$build/game/levels/." "$work/levels/" 2>/dev/null
rm -f "$work/data/dx.cfg" "$work/data/save.sav"
cd "$work" || fail "no folder"

# Starts the game, waits for its window, prints its size, ends it with SIGTERM; fails on a bad exit.
run_game() {
  "$bin" --windowed >"$work/stdout.txt" 2>&1 &
  local pid=$! wid=""
  for _ in $(seq 1 150); do
    wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
    [[ -n "$wid" ]] && grep -q "^CSoundManager::Initialize" log.txt 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  sleep 0.5
  [[ -n "$wid" ]] && xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}'
  kill -TERM "$pid" 2>/dev/null
  for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fail "still running 15 s after SIGTERM"; fi
  wait "$pid"
  local rc=$?
  [[ $rc -eq 0 ]] || fail "exit code $rc"
}

printf 'm_window_width 1024\nm_window_height 768\nm_is_full_screen_loaded 0\nm_sound 0\n' > plain.txt
"$pack" encipher plain.txt data/dx.cfg --key zel || fail "gw-pack encipher"
size=$(run_game)
[[ "$size" == "1024x768" ]] || fail "window is '$size', not 1024x768"
"$pack" decipher data/dx.cfg --key zel > out.txt || fail "gw-pack decipher of the game's settings"
grep -qx "m_window_width 1024" out.txt || fail "width not kept: $(cat out.txt)"
grep -qx "m_sound 0" out.txt || fail "sound switch not kept"
grep -qx "m_is_full_screen_loaded 0" out.txt || fail "full-screen flag not kept"

# Garbage settings and a truncated pack: the game still starts, windowed at the default size.
head -c 300 /dev/urandom > data/dx.cfg
if [[ -f data/data.pk ]]; then head -c 1000 data/data.pk > data/cut.pk && mv data/cut.pk data/data.pk; fi
size=$(run_game)
[[ "$size" == "800x600" ]] || fail "window after bad files is '$size'"
# A settings file written by the game replaced the garbage and deciphers.
"$pack" decipher data/dx.cfg --key zel | grep -q "^m_window_width 800$" || fail "settings not rewritten"
echo "ok"
