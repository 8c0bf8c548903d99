#!/usr/bin/env bash
# Whole games under AddressSanitizer and UndefinedBehaviorSanitizer, outside CI (long): the asan
# preset is built, then
#   flights  gw-bench flight --enemies --no-draw over every base level with each of the three
#            aircraft (30 flights), and levels 1 and 10 drawn with the first aircraft;
#   seeded   the same flights over a level set made by gw-forge valleys --seed 1;
#   game     the game itself through the scripted e2e runs of the menu and options, a level, the
#            game-over dialog and the Top 7 tables, with leak detection on at exit.
# Usage: scripts/asan_runs.sh [flights] [seeded] [game]   (all when none is given). Needs a display
# (run under xvfb-run -a -s "-noreset", so the X server does not reset between games). Every
# sanitizer report lands in build/asan-runs/reports/ as a file; the script ends with the count and
# fails when there is one. Leaks inside the system libraries that
# SDL and Mesa load are suppressed by tests/lsan.supp.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root="$PWD"
parts=("$@")
((${#parts[@]})) || parts=(flights seeded game)
out="$root/build/asan-runs"
reports="$out/reports"
rm -rf "$reports"
mkdir -p "$reports"
scripts/build.sh asan >"$out/build.log" 2>&1 || { tail -n 30 "$out/build.log"; echo "asan: build failed"; exit 1; }

# A sanitizer finding ends a program with 86, told apart from gw-bench's 1 for a level that the
# autopilot did not finish (shot down; the report files stay the verdict on the flights).
export ASAN_OPTIONS="detect_leaks=1:exitcode=86:log_path=$reports/asan"
export UBSAN_OPTIONS="print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
bench="$root/build/asan/bin/gw-bench"
# Mesa's software driver keeps a block from its start-up in its own static data, and is unloaded
# when the GL display closes: LeakSanitizer at exit then finds the block unreferenced, allocated
# in a module that is gone ("<unknown module>"), which no suppression can name. Loaded once more
# ahead of the program (after the sanitizer runtime, which must come first), the driver stays
# mapped to the end and the block stays referenced.
preload=""
asan_lib=$(ldd "$bench" 2>/dev/null | awk '/libasan/ {print $3; exit}')
for dri in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so /usr/lib64/dri/swrast_dri.so /usr/lib/dri/swrast_dri.so; do
  if [[ -n "$asan_lib" && -f "$dri" ]]; then
    preload="$asan_lib:$dri"
    break
  fi
done
export GW_E2E_GAME_PRELOAD="$preload"
failed=0
# gw-bench's exit: 1 (a level not finished) is told and passes; anything else fails the run.
bench_exit() {
  local rc=$1
  if ((rc == 1)); then
    echo "  not every level finished (the autopilot was shot down)"
  elif ((rc != 0)); then
    echo "  exit $rc"
    failed=1
  fi
}

for part in "${parts[@]}"; do
  case $part in
    flights)
      for aircraft in 0 1 2; do
        echo "asan: flights of aircraft $aircraft, levels 1-10, no drawing"
        (cd build/asan/game && LD_PRELOAD="$preload" "$bench" flight --enemies --no-draw --aircraft "$aircraft" --first 1 --last 10) \
          >"$out/flight_a$aircraft.json" 2>"$out/flight_a$aircraft.err"
        bench_exit $?
        grep -c '"finished": true' "$out/flight_a$aircraft.json" | sed 's/^/  levels finished: /'
      done
      for level in 1 10; do
        echo "asan: level $level drawn, aircraft 0"
        (cd build/asan/game && LD_PRELOAD="$preload" "$bench" flight --enemies --aircraft 0 --first "$level" --last "$level") \
          >"$out/flight_drawn_$level.json" 2>"$out/flight_drawn_$level.err"
        bench_exit $?
        grep -c '"finished": true' "$out/flight_drawn_$level.json" | sed 's/^/  levels finished: /'
      done
      ;;
    seeded)
      # A level set made from a seed (as players share them), flown like the base set.
      "$root/build/asan/bin/gw-forge" valleys --seed 1 "$out/valleys-1.set" >"$out/valleys.log" 2>&1 \
        || { echo "  gw-forge valleys failed"; failed=1; continue; }
      for aircraft in 0 1 2; do
        echo "asan: seeded set, aircraft $aircraft, no drawing"
        (cd build/asan/game && LD_PRELOAD="$preload" "$bench" flight --enemies --no-draw --aircraft "$aircraft" --set "$out/valleys-1.set") \
          >"$out/seeded_a$aircraft.json" 2>"$out/seeded_a$aircraft.err"
        bench_exit $?
        grep -c '"finished": true' "$out/seeded_a$aircraft.json" | sed 's/^/  levels finished: /'
      done
      ;;
    game)
      # The e2e scripts start build/asan/bin/gorgewing2; leak detection stays on here (CTest turns it
      # off for them), and a report makes the game's exit code non-zero, which the scripts check.
      for script in menu_options top7 hostile_sets; do
        echo "asan: game, e2e $script"
        bash "tests/e2e/$script.sh" "$root/build/asan" >"$out/game_$script.log" 2>&1 || { echo "  failed:"; tail -n 5 "$out/game_$script.log"; failed=1; }
      done
      ;;
    *) echo "asan: unknown part $part"; exit 2 ;;
  esac
done
count=$(find "$reports" -type f | wc -l)
echo "asan: $count sanitizer report file(s) in $reports"
((count == 0 && failed == 0))
