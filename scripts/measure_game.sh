#!/usr/bin/env bash
# What the game costs as a player runs it: start-up time, processor use in the idle main menu and
# in play, and peak memory, for one or more builds side by side.
#
#   scripts/measure_game.sh [--runs N] BUILD [BUILD ...]
#
# BUILD is a build folder (its bin/gorgewing2 and its game/ folder), e.g. build/default. Every run
# starts the game with --windowed from a fresh copy of the build's game folder, under its own
# Xvfb whose screen is the 800 x 600 window. The runs are interleaved (run 1 of every build, then
# run 2 ...) so that a change of the machine's load falls on all builds alike; the table gives
# the medians. Per run and build, two starts of the game:
#   1. exec to the first main-menu frame: the screen is grabbed (xwd) as fast as it can be until
#      the menu has stood for a moment; the first grab that matches the settled menu picture is
#      the first menu frame, timed when that grab had finished.
#   2. exec to the line "CMainMenu = ok" in log.txt, polled every 10 ms; the idle menu's
#      processor time (utime + stime of all threads, /proc/PID/stat) over 20 s from 3 s after the
#      line; then Play, New Game, the first aircraft's Take Off, Left Ctrl held: the processor
#      time over 20 s from 5 s after take-off, and VmHWM (/proc/PID/status) at the end of that
#      window.
# Needs Xvfb, xdotool, xwd (x11-apps) and ImageMagick's compare. Timed figures are disturbed by
# other work on the machine: run it on a quiet machine, and give `uptime` with its numbers.
set -u

runs=3
builds=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    -h|--help) sed -n '2,20p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) builds+=("$(cd "$1" && pwd)") || exit 2; shift ;;
  esac
done
[[ ${#builds[@]} -gt 0 ]] || { echo "usage: $0 [--runs N] BUILD [BUILD ...]" >&2; exit 2; }
for tool in Xvfb xdotool xwd compare; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing (scripts/setup.sh installs it)" >&2; exit 2; }
done
for b in "${builds[@]}"; do
  [[ -x "$b/bin/gorgewing2" && -f "$b/game/data/data.pk" ]] || { echo "$0: $b is not a built game" >&2; exit 2; }
done

ticks=$(getconf CLK_TCK)
scratch=$(mktemp -d)
xvfb_pid=""
game_pid=""

stop_game() {
  if [[ -n "$game_pid" ]]; then
    xdotool keyup Control_L 2>/dev/null
    kill -TERM "$game_pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
    game_pid=""
  fi
}
stop_xvfb() {
  if [[ -n "$xvfb_pid" ]]; then
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  fi
}
cleanup() { stop_game; stop_xvfb; rm -rf "$scratch"; }
trap cleanup EXIT
trap 'exit 130' INT TERM

# An Xvfb of its own with an 800 x 600 screen; DISPLAY points at it.
start_xvfb() {
  local fdfile="$scratch/display"
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [[ -s "$fdfile" ]] && break; sleep 0.05; done
  [[ -s "$fdfile" ]] || { echo "$0: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$fdfile")"
}

# A fresh copy of a build's game folder in $scratch/game, without settings, saves or score tables.
fresh_copy() {
  local dir="$scratch/game"
  cd "$scratch" || exit 1
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -r "$1/game/." "$dir/"
  rm -f "$dir/log.txt" "$dir/data/dx.cfg" "$dir/data/save.sav" "$dir/data/scores1.tab" "$dir/data/scores2.tab"
}

now() { echo "${EPOCHREALTIME/./}"; }  # microseconds, without a process of its own
cpu_ticks() { local s; s=$(<"/proc/$1/stat") || return 1; s=${s##*) }; set -- $s; echo $(( ${12} + ${13} )); }
vmhwm_kb() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
log_has() { [[ -f log.txt ]] && grep -q "$1" log.txt; }
wait_log() {
  for _ in $(seq 1 "${2:-300}"); do log_has "$1" && return 0; sleep 0.1; done
  echo "$0: no log line $1" >&2; return 1
}
# Processor seconds per wall second of a running process over the given seconds.
cpu_rate() {
  local c0 t0 c1 t1
  c0=$(cpu_ticks "$1") && t0=$(now) || return 1
  sleep "$2"
  c1=$(cpu_ticks "$1") && t1=$(now) || return 1
  awk -v c=$((c1 - c0)) -v t=$((t1 - t0)) -v hz="$ticks" 'BEGIN { printf "%.3f", c / hz / (t / 1e6) }'
}

# Exec to the first main-menu frame, in seconds, into r_frame (empty when it was not seen).
first_menu_frame() {
  local build="$1" dir="$scratch/game" grabs t0 t
  r_frame=""
  fresh_copy "$build"
  grabs="$scratch/grabs"
  rm -rf "$grabs"; mkdir -p "$grabs"
  start_xvfb
  cd "$dir" || return 1
  t0=$(now)
  "$build/bin/gorgewing2" --windowed >"$scratch/stdout.txt" 2>&1 &
  game_pid=$!
  local seen=""
  for _ in $(seq 1 3000); do
    xwd -root -silent >"$grabs/frame.xwd" 2>/dev/null
    t=$(now)
    mv "$grabs/frame.xwd" "$grabs/$((t - t0)).xwd"
    if [[ -z "$seen" ]] && log_has "^CMainMenu = ok"; then seen=$t; fi
    [[ -n "$seen" && $((t - seen)) -gt 1500000 ]] && break
    kill -0 "$game_pid" 2>/dev/null || break
  done
  stop_game
  stop_xvfb
  cd "$scratch" || return 1
  local reference first="" f
  reference=$(ls "$grabs" | sort -n | tail -n 1)
  for f in $(ls "$grabs" | sort -n); do
    # Mean absolute difference to the settled menu, 0..1; the intro and an empty window are far off.
    local mae
    mae=$(compare -metric MAE "$grabs/$f" "$grabs/$reference" null: 2>&1 | sed -E 's/.*\(([0-9.e+-]+)\).*/\1/')
    if awk -v m="$mae" 'BEGIN { exit !(m < 0.01) }'; then first=${f%.xwd}; break; fi
  done
  [[ -n "$first" ]] && r_frame=$(awk -v u="$first" 'BEGIN { printf "%.3f", u / 1e6 }')
}

# Exec to "CMainMenu = ok", idle menu CPU, play CPU and VmHWM into r_log, r_menu, r_play, r_hwm.
menu_and_play() {
  local build="$1" dir="$scratch/game" t0 tlog="" hwm wid
  r_log="" r_menu="" r_play="" r_hwm=""
  fresh_copy "$build"
  start_xvfb
  cd "$dir" || return 1
  t0=$(now)
  "$build/bin/gorgewing2" --windowed >"$scratch/stdout.txt" 2>&1 &
  game_pid=$!
  for _ in $(seq 1 3000); do
    if [[ -f log.txt ]] && grep -q "^CMainMenu = ok" log.txt; then tlog=$(now); break; fi
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.01
  done
  [[ -n "$tlog" ]] || { echo "$0: the main menu never showed" >&2; stop_game; stop_xvfb; return 1; }
  sleep 3
  r_menu=$(cpu_rate "$game_pid" 20)
  wid=$(xdotool search --pid "$game_pid" 2>/dev/null | head -n 1)
  click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.2 mousedown 1 sleep 0.1 mouseup 1; sleep 0.8; }
  click 400 226                                   # Play
  click 400 258                                   # New Game
  wait_log "^CGameField::NewLevel = ok" && click 160 462  # the first aircraft's Take Off
  wait_log "^CGame: level 1 with aircraft 0" || { stop_game; stop_xvfb; return 1; }
  xdotool keydown Control_L
  sleep 5
  r_play=$(cpu_rate "$game_pid" 20)
  hwm=$(vmhwm_kb "$game_pid")
  xdotool keyup Control_L
  # A crash in the window restarts the level: the figure is then not only of flight.
  [[ $(grep -c "^CGameField::NewLevel(" log.txt) -eq 1 ]] || echo "$0: the level was started again in the play window" >&2
  stop_game
  stop_xvfb
  cd "$scratch" || return 1
  r_log=$(awk -v u=$((tlog - t0)) 'BEGIN { printf "%.3f", u / 1e6 }')
  r_hwm=$(awk -v k="$hwm" 'BEGIN { printf "%.1f", k / 1024 }')
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

results="$scratch/results"
: >"$results"
echo "load before: $(uptime)"
for run in $(seq 1 "$runs"); do
  for i in "${!builds[@]}"; do
    b="${builds[$i]}"
    first_menu_frame "$b"
    menu_and_play "$b"
    echo "run $run  $b: first menu frame ${r_frame:--} s, CMainMenu ${r_log:--} s, menu CPU ${r_menu:--}, play CPU ${r_play:--}, VmHWM ${r_hwm:--} MiB"
    { echo "$i frame $r_frame"; echo "$i log $r_log"; echo "$i menu $r_menu"; echo "$i play $r_play"; echo "$i hwm $r_hwm"; } >>"$results"
  done
done
echo "load after: $(uptime)"
echo
# Each build is named by the last three parts of its path (wt/before/build/default: before/build/default).
printf "%-52s" "median of $runs runs"
for b in "${builds[@]}"; do printf " | %-26s" "$(awk -F/ '{ print $(NF - 2) "/" $(NF - 1) "/" $NF }' <<<"$b")"; done
echo
for figure in hwm play menu frame log; do
  case $figure in
    hwm) label="peak resident memory at the end of play (MiB)" ;;
    play) label="CPU in play, all threads (CPU-s per wall-s)" ;;
    menu) label="CPU in the idle main menu (CPU-s per wall-s)" ;;
    frame) label="exec to the first main-menu frame (s)" ;;
    log) label="exec to \"CMainMenu = ok\" in log.txt (s)" ;;
  esac
  printf "%-52s" "$label"
  for i in "${!builds[@]}"; do
    printf " | %-26s" "$(awk -v i="$i" -v f="$figure" '$1 == i && $2 == f && NF == 3 { print $3 }' "$results" | median)"
  done
  echo
done
