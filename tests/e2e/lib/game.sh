# Shared steps of the e2e scripts: a private copy of the game folder, the game started and stopped,
# clicks and keys through xdotool, waits on the log. A script sets `build` (the build folder, its
# first argument) and sources this file; it then has `bin`, `work` (the copy, the current folder)
# and, once the game runs, `pid` and `wid`. The copy is removed and the game stopped on exit.
bin="$build/bin/gorgewing2"
pid=""
wid=""
work=""
held_keys=""  # released on exit, in case a failure left them down

fail() {
  echo "FAIL: $*"
  [[ -f "${work:-}/log.txt" ]] && tail -n 30 "$work/log.txt"
  [[ -f "${work:-}/stdout.txt" ]] && { echo "--- the game's output:"; grep -v "^ALSA lib" "$work/stdout.txt" | tail -n 30; }
  exit 1
}

e2e_cleanup() {
  if [[ -n "$pid" ]]; then
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null  # a game that no longer reads its events does not hear SIGTERM
    wait "$pid" 2>/dev/null
  fi
  [[ -n "$held_keys" ]] && xdotool keyup $held_keys 2>/dev/null
  [[ -n "$work" ]] && rm -rf "$work"
}

# Skips the script (exit 0 with a reason) where there is no display or no xdotool.
need_display() {
  [[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }
  command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 0; }
}

# A fresh copy of the game folder without settings, save or tables (a game run in the build's
# folder leaves them there), entered as the current folder.
copy_game() {
  work=$(mktemp -d)
  trap e2e_cleanup EXIT
  mkdir -p "$work/data" "$work/levels"
  cp -r "$build/game/data/." "$work/data/"
  cp -r "$build/game/levels/." "$work/levels/"
  rm -f "$work/data/dx.cfg" "$work/data/save.sav" "$work/data/scores1.tab" "$work/data/scores2.tab"
  cd "$work" || fail "no folder"
}

# Starts the game (environment assignments before the call reach it) and waits for its window
# and the main menu.
start_game() {
  rm -f log.txt
  # GW_E2E_GAME_PRELOAD (colon-separated) reaches the game alone, not the tools around it: the
  # sanitizer runs keep the GL driver loaded to the end with it (scripts/asan_runs.sh).
  LD_PRELOAD="${GW_E2E_GAME_PRELOAD:-${LD_PRELOAD:-}}" "$bin" --windowed >>"$work/stdout.txt" 2>&1 &
  pid=$!
  wid=""
  for _ in $(seq 1 200); do
    wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
    [[ -n "$wid" ]] && grep -q "^CMainMenu = ok" log.txt 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || fail "the game ended at start-up"
    sleep 0.1
  done
  [[ -n "$wid" ]] || fail "no window"
  sleep 1
}

# SIGTERM, and the game must leave with exit code 0.
stop_game() {
  kill -TERM "$pid"
  wait "$pid"
  local rc=$?
  pid=""
  [[ $rc -eq 0 ]] || fail "exit code $rc"
}

# A click at a point of the 800 x 600 client area.
click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.1 mouseup 1; sleep 0.8; }
# A key held for a while.
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
# Waits for a line of the log matching a pattern: up to 10 s, or the tenths of a second given.
wait_log() {
  for _ in $(seq 1 "${2:-100}"); do grep -q "$1" log.txt && return 0; sleep 0.1; done
  fail "no log line: $1"
}

# From the main menu into level 1 with the second aircraft.
fly_level_one() {
  click 400 226                      # Play
  click 400 258                      # New Game
  wait_log "^CGameField::NewLevel = ok"
  click 400 462                      # the second aircraft's Take Off
  wait_log "^CGame: level 1 with aircraft 1"
}
