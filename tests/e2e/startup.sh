#!/usr/bin/env bash
# The options answer without a window (--help, --version, an unknown option ends with code 2);
# then the game opens its 800 x 600 window (--windowed) with a GL context, logs the GL lines, and
# leaves with exit code 0 on SIGTERM; with --fullscreen it covers the display. Run under Xvfb
# (DISPLAY set by ctest's caller).
set -u
build="$1"
game="$build/game"
bin="$build/bin/gorgewing2"
fail() { echo "FAIL: $*"; exit 1; }

out=$(DISPLAY= "$bin" --help) || fail "--help exit code $?"
for option in --windowed --fullscreen "--data DIR" --portable --version; do
  grep -q -- "$option" <<<"$out" || fail "--help does not name $option"
done
DISPLAY= "$bin" --version | grep -qx "gorgewing2 [0-9]*\.[0-9]*\.[0-9]*" || fail "--version: $("$bin" --version)"
err=$(DISPLAY= "$bin" --windowed --fulscreen 2>&1 >/dev/null)
rc=$?
[[ $rc -eq 2 ]] || fail "an unknown option ended with $rc, not 2"
grep -q "unknown option '--fulscreen'" <<<"$err" || fail "no clear error for an unknown option: $err"

[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }

cd "$game" || fail "no game folder"
rm -f log.txt
"$bin" --windowed &
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

# --fullscreen: the window covers the display (its mode unchanged) and the settings keep it.
work=$(mktemp -d)
trap 'kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/data" "$work/levels"
cp "$game/data/data.pk" "$work/data/"
cp "$game/levels/"*.set "$work/levels/"
cd "$work" || fail "no copy of the game folder"
"$bin" --fullscreen &
pid=$!
for _ in $(seq 1 100); do
  grep -q "^SetFullScreen " log.txt 2>/dev/null && break
  sleep 0.1
done
sleep 1
grep -q "^SetFullScreen 800x600: picture " log.txt || fail "no full screen: $(grep ^SetFullScreen log.txt)"
if command -v xdotool >/dev/null; then
  wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
  geom=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
  [[ "$geom" == "$(xdotool getdisplaygeometry | tr ' ' x)" ]] || fail "full-screen window is $geom"
fi
kill -TERM "$pid"
wait "$pid" || fail "exit code $? after full screen"
"$build/bin/gw-pack" decipher data/dx.cfg --key zel | grep -qx "m_is_full_screen_loaded 1" || fail "full screen not kept"

echo "ok"
