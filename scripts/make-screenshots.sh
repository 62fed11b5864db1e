#!/usr/bin/env bash
# Makes the pictures of the user's guide (doc/guide/images/) from the real
# window: runs the editor under Xvfb and openbox with a sample project and
# photographs the main window and the about box. Run it after the window
# changes: scripts/make-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
zembra=$PWD/$build/app/zembra
out=$PWD/doc/guide/images
[ -x "$zembra" ] || { echo "build the editor first ($zembra)" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, and a home without the user's settings.
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp > /dev/null 2>&1 & pids+=($!)
export DISPLAY=$display HOME=$work/home QT_QPA_PLATFORM=xcb
mkdir -p "$HOME/Documents"
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
openbox > /dev/null 2>&1 & pids+=($!)
sleep 1

# A small animated GIF (a ball crossing a sky), opened as a background GIF the
# way "Open with Zembra" does.
for i in $(seq 0 7); do
  cat > "$work/frame$i.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="320" height="200">
  <defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#7fb6e3"/><stop offset="1" stop-color="#e8f4fc"/></linearGradient></defs>
  <rect width="320" height="200" fill="url(#sky)"/>
  <rect y="160" width="320" height="40" fill="#5aa05a"/>
  <circle cx="$((30 + i * 36))" cy="$((60 + (i - 4) * (i - 4) * 6))" r="18" fill="#ff7a1a"/>
</svg>
SVG
  rsvg-convert "$work/frame$i.svg" -o "$work/frame$i.png"
done
"$zembra" gif make "$work/ball.gif" --delay 100 "$work"/frame?.png
"$zembra" "$work/ball.gif" > /dev/null 2>&1 & pids+=($!)
window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Zembra' 2> /dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the editor's window did not appear" >&2; exit 1; }
# "Redraw frames to change animation?": yes.
for _ in $(seq 50); do
  question=$(xdotool search --onlyvisible --name '^Zembra$' 2> /dev/null | head -1 || true)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] && xdotool windowactivate --sync "$question" key Return
sleep 1
window=$(xdotool search --onlyvisible --name '^Zembra - |^Zembra [0-9]' 2> /dev/null | head -1 || echo "$window")
xdotool windowsize "$window" 1100 720 windowmove "$window" 20 20
sleep 1.5

shoot() { # shoot WINDOW NAME: the window with its frame, as a PNG
  import -window "$1" -frame "$out/$2.png" 2> /dev/null || import -window "$1" "$out/$2.png"
  echo "made $out/$2.png"
}
shoot "$window" main-window

xdotool windowactivate --sync "$window" key shift+F1
about=""
for _ in $(seq 50); do
  about=$(xdotool search --onlyvisible --name '^About Zembra$' 2> /dev/null | head -1 || true)
  [ -n "$about" ] && break
  sleep 0.1
done
[ -n "$about" ] || { echo "the about box did not appear" >&2; exit 1; }
sleep 0.5
shoot "$about" about-box
