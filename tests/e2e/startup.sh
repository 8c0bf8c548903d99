#!/usr/bin/env bash
# The game opens its 800 x 600 window with a GL context, logs the GL lines, and leaves with exit
# code 0 on SIGTERM. Run under Xvfb (DISPLAY set by ctest's caller).
set -u
build="$1"
game="$build/game"
bin="$build/bin/gorgewing2"
fail() { echo "FAIL: $*"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }

cd "$game" || fail "no game folder"
rm -f log.txt
"$bin" &
pid=$!
for _ in $(seq 1 100); do
  grep -q "^done$\|^fail$" log.txt 2>/dev/null && break
  sleep 0.1
done
sleep 0.5
head -n 1 log.txt | grep -qx -- "---------------------------------------------------" || fail "log does not start with the GL lines"
grep -q "^Renderer: " log.txt || fail "no renderer line"
grep -qx "InitMultiTexture = true" log.txt || fail "no multitexture"
if command -v xdotool >/dev/null; then
  wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
  if [[ -n "$wid" ]]; then
    geom=$(xdotool getwindowgeometry "$wid" | grep Geometry | awk '{print $2}')
    [[ "$geom" == "800x600" ]] || fail "window is $geom, not 800x600"
  fi
fi
kill -TERM "$pid"
for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid"; fail "still running 15 s after SIGTERM"; fi
wait "$pid"
rc=$?
[[ $rc -eq 0 ]] || fail "SIGTERM exit code $rc"

echo "ok"
