#!/usr/bin/env bash
# The menus with real X input: the intro, then the main menu; the options dialog opened with the
# mouse, the autosave check box ticked and closed with its button; Escape opens the quit dialog
# and Enter quits with exit code 0; the box is still ticked after a restart (in "data/dx.cfg" and
# on screen); the window follows a drag from empty space of the menu; the full-screen button
# covers the display without changing its mode, the picture keeps its shape between black bars,
# the button is pressed again where the scaled picture shows it and the window comes back where
# it was; a key reader takes a real key press and the binding is stored in "data/save.sav".
set -u
build="$1"
bin="$build/bin/gorgewing2"
pack="$build/bin/gw-pack"
fail() { echo "FAIL: $*"; exit 1; }
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: skipped"; exit 0; }
command -v xdotool >/dev/null || { echo "no xdotool: skipped"; exit 0; }
command -v import >/dev/null || { echo "no imagemagick: skipped"; exit 0; }
work=$(mktemp -d)
trap '[[ $pid -gt 0 ]] && { kill -TERM $pid 2>/dev/null; wait $pid 2>/dev/null; }; rm -rf "$work"' EXIT
pid=0
mkdir -p "$work/data" "$work/levels"
cp -r "$build/game/data/." "$work/data/" 2>/dev/null
cp -r "$build/game/levels/." "$work/levels/" 2>/dev/null
rm -f "$work/data/dx.cfg" "$work/data/save.sav"
cd "$work" || fail "no folder"
printf 'm_is_full_screen_loaded 0\nm_autosave 0\n' > plain.txt
"$pack" encipher plain.txt data/dx.cfg --key zel || fail "gw-pack encipher"

wx=0
wy=0
# Starts the game and waits for the main menu; sets wx, wy to the window's corner on screen.
start_game() {
  # The sanitizer runs keep the GL driver loaded to the end (as tests/e2e/lib/game.sh does).
  LD_PRELOAD="${GW_E2E_GAME_PRELOAD:-${LD_PRELOAD:-}}" "$bin" --windowed >"$work/stdout.txt" 2>&1 &
  pid=$!
  local wid=""
  for _ in $(seq 1 200); do
    wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
    [[ -n "$wid" ]] && grep -q "^CMainMenu = ok$" log.txt 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || fail "the game ended at start: $(cat stdout.txt)"
    sleep 0.1
  done
  [[ -n "$wid" ]] || fail "no window"
  grep -q "^CMainMenu = ok$" log.txt || fail "no main menu in the log"
  grep -qx "CIntro = ok" log.txt || fail "no intro picture"
  # The intro comes before the menu.
  [[ $(grep -n "^CIntro = " log.txt | cut -d: -f1) -lt $(grep -n "^CMainMenu = ok" log.txt | cut -d: -f1) ]] ||
    fail "intro after the menu"
  local pos
  pos=$(xdotool getwindowgeometry "$wid" | awk '/Position/ {print $2}')
  wx=${pos%,*}
  wy=${pos#*,}
  sleep 0.7
  xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid" 2>/dev/null
  sleep 0.3
}
# Moves to a point of the 800 x 600 layout and clicks it.
click_at() {
  xdotool mousemove $((wx + $1)) $((wy + $2))
  sleep 0.2
  xdotool mousemove $((wx + $1 + 1)) $((wy + $2))
  sleep 0.2
  xdotool click 1
  sleep 0.4
}
# Share (per mille) of the autosave box's pixels that are the tick's green.
box_green() {
  import -window root "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -crop 30x30+$((wx + 195))+$((wy + 125)) +repage -fx "g>0.6&&r<0.6&&b<0.6" -format "%[fx:int(1000*mean)]" info:
}
quit_game() {
  xdotool key Escape
  sleep 0.5
  xdotool key Return
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "Enter in the quit dialog did not end the game"
  wait "$pid"
  local rc=$?
  pid=0
  [[ $rc -eq 0 ]] || fail "exit code $rc"
}

start_game
menu_shot="$work/menu.png"
import -window root "$menu_shot" 2>/dev/null
click_at 400 292          # Options
before=$(box_green)
click_at 210 140          # the autosave box at (190, 116) of the screen, 40 x 40
after=$(box_green)
(( after > before + 50 )) || fail "the autosave box did not tick on screen ($before -> $after)"
click_at 695 66           # Close
quit_game
"$pack" decipher data/dx.cfg --key zel > out.txt || fail "gw-pack decipher"
grep -qx "m_autosave 1" out.txt || fail "autosave not saved: $(cat out.txt)"

# After a restart the box is still ticked.
start_game
# The window follows a drag from empty space of the menu.
wid=$(xdotool search --pid "$pid" | head -n 1)
xdotool mousemove $((wx + 100)) $((wy + 200)); sleep 0.2
xdotool mousedown 1; sleep 0.2
for i in $(seq 1 10); do xdotool mousemove $((wx + 100 + i * 4)) $((wy + 200 + i * 2)); sleep 0.05; done
sleep 0.2
xdotool mouseup 1; sleep 0.4
pos=$(xdotool getwindowgeometry "$wid" | awk '/Position/ {print $2}')
# The window moves while X still reports motion against its old place, so a step may be lost.
nx=${pos%,*}
ny=${pos#*,}
(( nx - wx >= 28 && nx - wx <= 40 && ny - wy >= 14 && ny - wy <= 20 )) ||
  fail "the window did not follow the drag of (40, 20): $wx,$wy -> $pos"
wx=${pos%,*}
wy=${pos#*,}
# The full-screen button: the window covers the display in the display's own mode, and the
# 800 x 600 picture is scaled to fill it between black bars.
read -r sw sh < <(xdotool getdisplaygeometry)
click_at 773 27
sleep 1
grep -q "^SetFullScreen 800x600: picture " log.txt || fail "no full screen: $(grep ^SetFullScreen log.txt)"
geom=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
[[ "$geom" == "${sw}x${sh}" ]] || fail "the full-screen window is $geom, not the display's ${sw}x${sh}"
[[ "$(xdotool getdisplaygeometry)" == "$sw $sh" ]] || fail "the display's mode changed to $(xdotool getdisplaygeometry)"
if (( sw * 600 > sh * 800 )); then ph=$sh; pw=$(( (sh * 800 + 300) / 600 )); else pw=$sw; ph=$(( (sw * 600 + 400) / 800 )); fi
px=$(( (sw - pw) / 2 ))
py=$(( (sh - ph) / 2 ))
import -window root "$work/full.png" 2>/dev/null
# The bars are black; the menu's picture fills the rest (its corner is not black).
if (( py > 0 )); then bar="$((sw / 2)),$((py / 2))"; else bar="$((px / 2)),$((sh / 2))"; fi
[[ $(convert "$work/full.png" -format "%[fx:int(255*p{$bar}.r)],%[fx:int(255*p{$bar}.g)],%[fx:int(255*p{$bar}.b)]" info:) == "0,0,0" ]] ||
  fail "the bar at $bar is not black"
lit=$(convert "$work/full.png" -crop "${pw}x${ph}+${px}+${py}" +repage -colorspace Gray -threshold 4% -format "%[fx:int(100*mean)]" info:)
(( lit > 50 )) || fail "the picture is mostly black in full screen ($lit%)"
# The button again, where the scaled picture shows it: the window comes back where it was.
xdotool mousemove $((px + 773 * pw / 800)) $((py + 27 * ph / 600)); sleep 0.2
xdotool mousemove $((px + 773 * pw / 800 + 1)) $((py + 27 * ph / 600)); sleep 0.2
xdotool click 1; sleep 1
geom=$(xdotool getwindowgeometry "$wid" | awk '/Geometry/ {print $2}')
[[ "$geom" == "800x600" ]] || fail "window is $geom after leaving full screen"
pos=$(xdotool getwindowgeometry "$wid" | awk '/Position/ {print $2}')
[[ "$pos" == "$wx,$wy" ]] || fail "the window came back at $pos, not at $wx,$wy"
click_at 400 292
again=$(box_green)
(( again > before + 50 )) || fail "the autosave box is not ticked after a restart ($again)"
# Rebind "Left" to the A key with the key reader, keep it with the close button.
click_at 640 134          # the Left key reader at (530, 110), 220 x 48
# Held a moment, as a person presses it: the reader reads the keyboard when the press arrives.
xdotool keydown a
sleep 0.3
xdotool keyup a
sleep 0.3
click_at 695 66           # Close
quit_game
"$pack" decipher data/dx.cfg --key zel | grep -qx "m_autosave 1" || fail "autosave lost at the second exit"
"$pack" decipher data/save.sav --key kq71x > save.txt || fail "gw-pack decipher of the save file"
grep -qx "m_left_key 30" save.txt || fail "the new Left binding (A, 30) was not stored: $(grep m_left_key save.txt)"
echo "ok"
