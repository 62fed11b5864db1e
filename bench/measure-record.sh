#!/usr/bin/env bash
# Screen recording figures: starts an Xvfb (1280 x 1024) of its own, shows the
# changing 800 x 600 picture of bench_record --pattern in a second process, and
# records (0, 0, 800 x 600) at the interval asked for:
#   1. through the "Screen Record" window (bench_record --editor), which prints
#      the frames per second reached and the peak memory while recording and
#      after the editor loaded the frames;
#   2. with "zembra record" under /usr/bin/time -v (peak memory, frames per second).
# Builds nothing: configure the build folder with -DZEMBRA_BENCH=ON and build
# the targets zembra and bench_record first.
#
# usage: bench/measure-record.sh BUILD_DIR [SECONDS [INTERVAL_MS]]   (60 s, 50 ms)
set -euo pipefail

if [[ $# -lt 1 || $# -gt 3 ]]; then
    echo "usage: $0 BUILD_DIR [SECONDS [INTERVAL_MS]]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=${2:-60}
interval=${3:-50}
zembra=$build/app/zembra
bench=$build/bench/bench_record
for exe in "$zembra" "$bench"; do
    if [[ ! -x $exe ]]; then
        echo "$exe is missing: build the targets zembra and bench_record (-DZEMBRA_BENCH=ON)" >&2
        exit 1
    fi
done
for tool in Xvfb /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 15 number <&3 || { echo "Xvfb gave no display" >&2; exit 1; }
export DISPLAY=:$number QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
pattern=
cleanup() {
    [[ -n $pattern ]] && kill "$pattern" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

"$bench" --pattern $((2 * seconds + 20)) &
pattern=$!
sleep 2

echo "== Screen Record window, ${seconds} s at ${interval} ms"
"$bench" --editor "$seconds" --interval "$interval"

echo "== zembra record, ${seconds} s at ${interval} ms"
out=$(mktemp --suffix=.gif)
/usr/bin/time -v "$zembra" record --rect 0,0,800,600 --interval "$interval" --seconds "$seconds" "$out" \
    2> >(grep -E 'Maximum resident|Elapsed' >&2)
echo "GIF: $(stat -c %s "$out") bytes"
rm -f "$out"
