#!/bin/bash
# The main window on a desktop: a virtual X display with a window manager,
# which puts a frame (title bar, borders) around the window. The window with
# its frame fits the screen, and it opens again where the teacher left it,
# not a title bar lower each time.
#
# window_placement.sh TALLYRO CLASS_FILE
# Exits 77 (skipped, in one line) when the display or the window manager
# cannot start.
set -u
tallyro=$1 classfile=$2

skip() {
  echo "SKIP: $*"
  exit 77
}
for tool in xvfb-run openbox xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/data" "$work/run"
chmod 700 "$work/run"
# The teacher's details are known, so no start-up form comes up.
printf '[User]\nschool=Lincoln\nteacher=Rivera\ngrade%%20level=5\n' >"$work/config/Tlyro.conf"
cp "$classfile" "$work/ROOM5.grd"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
export QT_QPA_PLATFORM=xcb TALLYRO=$tallyro TALLYRO_WORK=$work

inner='
set -u
openbox >/dev/null 2>&1 &
# The window manager is up once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || exit 0
touch "$TALLYRO_WORK/started"
screen_w=$(xwininfo -root | awk "/Width:/ {print \$2}")
screen_h=$(xwininfo -root | awk "/Height:/ {print \$2}")
failed=0

# Starts the program, waits for its framed window, prints
# "x y width height" of the frame (what the teacher sees on the screen).
start() {
  "$TALLYRO" "$TALLYRO_WORK/ROOM5.grd" >>"$TALLYRO_WORK/program.log" 2>&1 &
  window=
  for _ in $(seq 150); do
    window=$(xdotool search --onlyvisible --name "^Tallyro for ROOM5.grd$" 2>/dev/null | head -1)
    [ -n "$window" ] && xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && break
    window=
    sleep 0.1
  done
  [ -n "$window" ] || { echo "the main window did not show up"; exit 1; }
  sleep 0.5 # the window manager has placed it
  read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS |
    sed "s/.*= //; s/,//g")
  x=$(xwininfo -id "$window" | awk "/Absolute upper-left X/ {print \$4}")
  y=$(xwininfo -id "$window" | awk "/Absolute upper-left Y/ {print \$4}")
  w=$(xwininfo -id "$window" | awk "/Width:/ {print \$2}")
  h=$(xwininfo -id "$window" | awk "/Height:/ {print \$2}")
  frame="$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Closes it as the teacher does, with the window manager s close (the
# settings, with where the window was, are written on the way out).
quit() {
  xdotool windowactivate --sync "$window" key alt+F4
  for _ in $(seq 100); do
    pgrep -f "^$TALLYRO " >/dev/null || return 0
    sleep 0.1
  done
  echo "the program did not end when its window was closed"
  exit 1
}

fits() {
  read -r fx fy fw fh <<<"$frame"
  if [ "$fx" -lt 0 ] || [ "$fy" -lt 0 ] || [ $((fx + fw)) -gt "$screen_w" ] ||
     [ $((fy + fh)) -gt "$screen_h" ]; then
    echo "FAIL: $1: the window with its frame ($fw x $fh at $fx,$fy) runs off the ${screen_w}x${screen_h} screen"
    failed=1
  else
    echo "PASS: $1: the window with its frame ($fw x $fh at $fx,$fy) fits the screen"
  fi
}

start
fits "first start"
# The teacher makes it smaller and moves it to the middle of the screen.
xdotool windowsize --sync "$window" 900 500
xdotool windowmove --sync "$window" 150 120
sleep 0.5
quit
start
first=$frame
fits "second start"
quit
start
fits "third start"
if [ "$frame" != "$first" ]; then
  echo "FAIL: the window moved between two starts without being touched ($first, then $frame)"
  failed=1
else
  echo "PASS: the window opens where it was left ($frame)"
fi
quit
exit $failed
'
xvfb-run -a -s "-screen 0 1366x768x24" bash -c "$inner" >"$work/log" 2>&1
status=$?
[ -e "$work/started" ] || skip "the X display or the window manager could not start"
grep -v -e '^QStandardPaths' -e 'propagateSizeHints' "$work/log"
exit $status
