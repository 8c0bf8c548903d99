#!/usr/bin/env bash
# The installed game, as a player meets it: `cmake --install` into a temporary prefix puts the game,
# the tools, the data, the desktop entry, the icons, the metadata and the manual page in their
# places (the entry and the metadata pass their validators when those are installed). The
# installed game is started from another working folder with HOME and the XDG folders in a
# temporary home; F12 keeps a screenshot in ~/Pictures/gorgewing2, an option is changed in the menu
# and the game quit. The settings, the save, the tables and the log are then in the XDG folders,
# and nothing new is in the prefix or the working folder. Under Xvfb.
set -u
build="$1"
source "$(dirname "$0")/lib/game.sh"
need_display
id=io.github.gorgewing.gorgewing2

work=$(mktemp -d)
trap e2e_cleanup EXIT
prefix="$work/prefix"
home="$work/home"
cwd="$work/elsewhere"
mkdir -p "$home" "$cwd"
cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 || fail "cmake --install: $(tail -n 5 "$work/install.txt")"

for f in bin/gorgewing2 bin/gw-pack bin/gw-view bin/gw-forge bin/gw-bench; do
  [[ -x "$prefix/$f" ]] || fail "no $f"
done
for f in share/gorgewing2/data/data.pk share/gorgewing2/levels/base.set share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/man/man6/gorgewing2.6; do
  [[ -s "$prefix/$f" ]] || fail "no $f"
done
for n in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${n}x${n}/apps/$id.png"
  [[ -s "$icon" ]] || fail "no ${n}x${n} icon"
  if command -v identify >/dev/null; then
    [[ $(identify -format "%wx%h" "$icon") == "${n}x${n}" ]] || fail "the ${n}x${n} icon is $(identify -format "%wx%h" "$icon")"
  fi
done
grep -qx "Categories=Game;ActionGame;" "$prefix/share/applications/$id.desktop" || fail "desktop entry categories"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "desktop entry icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
else
  echo "no desktop-file-validate: entry not validated"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
else
  echo "no appstreamcli: metadata not validated"
fi
if command -v man >/dev/null; then
  man -l "$prefix/share/man/man6/gorgewing2.6" 2>/dev/null | grep -q -- "--windowed" || fail "the manual page lacks --windowed"
fi

listing() { (cd "$1" && find . -printf "%p %s %T@\n" | sort); }
before=$(listing "$prefix")

# The installed game from another folder, its player's folders in the temporary home.
export HOME="$home" XDG_CONFIG_HOME="$home/cfg" XDG_DATA_HOME="$home/data" XDG_STATE_HOME="$home/state"
log="$XDG_STATE_HOME/gorgewing2/log.txt"
ln -s "$log" "$work/log.txt"  # where fail() looks for the log
cd "$cwd" || fail "no working folder"
"$prefix/bin/gorgewing2" --windowed >"$work/stdout.txt" 2>&1 &
pid=$!
for _ in $(seq 1 200); do
  wid=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1)
  [[ -n "$wid" ]] && grep -q "^CMainMenu = ok" "$log" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || fail "the installed game ended at start-up: $(cat "$work/stdout.txt")"
  sleep 0.1
done
[[ -n "$wid" ]] || fail "no window"
grep -qx "Data: $prefix/share/gorgewing2 (installed beside the program)" "$log" || fail "data not found in the prefix: $(grep ^Data: "$log")"
sleep 1
# F12: the frame as a PNG in the pictures folder (no user-dirs.dirs here: ~/Pictures), named in the log.
xdotool key F12
for _ in $(seq 1 50); do grep -q "^Screenshot: " "$log" && break; sleep 0.1; done
shot=$(sed -n 's/^Screenshot: //p' "$log" | head -n 1)
[[ "$shot" == "$home/Pictures/gorgewing2/gorgewing2-"*.png && -s "$shot" ]] || fail "no screenshot in ~/Pictures/gorgewing2: '$shot'"
if command -v identify >/dev/null; then
  [[ $(identify -format "%m %wx%h" "$shot") == "PNG 800x600" ]] || fail "the screenshot is $(identify -format "%m %wx%h" "$shot")"
  lit=$(convert "$shot" -colorspace Gray -threshold 4% -format "%[fx:int(100*mean)]" info:)
  (( lit > 50 )) || fail "the screenshot is mostly black ($lit%)"
fi
click 400 292                      # Options
click 210 140                      # the autosave box
click 695 66                       # Close
xdotool key Escape                 # the quit dialog
sleep 0.5
xdotool key Return
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
rc=$?
pid=""
[[ $rc -eq 0 ]] || fail "exit code $rc"

cfg="$XDG_CONFIG_HOME/gorgewing2"
[[ -f "$cfg/dx.cfg" ]] || fail "no dx.cfg in $cfg"
"$prefix/bin/gw-pack" decipher "$cfg/dx.cfg" --key zel | grep -qx "m_autosave 1" || fail "the changed option is not in $cfg/dx.cfg"
[[ -f "$cfg/save.sav" ]] || fail "no save.sav in $cfg"
[[ $(stat -c %a "$cfg") == 700 ]] || fail "the config folder is $(stat -c %a "$cfg"), not 700"
[[ -f "$XDG_DATA_HOME/gorgewing2/scores1.tab" && -f "$XDG_DATA_HOME/gorgewing2/scores2.tab" ]] || fail "no tables in $XDG_DATA_HOME/gorgewing2"
[[ -d "$XDG_DATA_HOME/gorgewing2/levels" ]] || fail "no folder for the player's level sets"
[[ -s "$log" ]] || fail "no log"
[[ "$(listing "$prefix")" == "$before" ]] || fail "the prefix changed: $(diff <(echo "$before") <(listing "$prefix"))"
[[ -z "$(ls -A "$cwd")" ]] || fail "files written into the working folder: $(ls -A "$cwd")"
echo "ok"
