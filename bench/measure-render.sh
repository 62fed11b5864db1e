#!/usr/bin/env bash
# Times the real binary on the benchmark project: writes the project of
# bench/BenchProject.h (FRAMES frames of 640 x 480 over a background GIF of
# GIF_FRAMES frames, 20 figures; 100 and 100 by default) with
# bench_render --write-project, runs
#   zembra render P.zembra --gif OUT.gif
# under /usr/bin/time -v several times, and prints wall time, user+sys time,
# maximum resident set size and the size of the GIF, then checks that the GIF
# decodes to FRAMES frames of 640 x 480 (counted in a full-frame render) and
# lasts as long as that render. Builds nothing: configure the build
# folder with -DZEMBRA_BENCH=ON (RelWithDebInfo) and build the targets
# zembra and bench_render first.
#
# usage: bench/measure-render.sh BUILD_DIR [RUNS [FRAMES [GIF_FRAMES]]]
#        (RUNS defaults to 3; GIF_FRAMES to the smaller of FRAMES and 100)
set -euo pipefail

if [[ $# -lt 1 || $# -gt 4 ]]; then
    echo "usage: $0 BUILD_DIR [RUNS [FRAMES [GIF_FRAMES]]]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
runs=${2:-3}
frames=${3:-100}
gif_frames=${4:-$((frames < 100 ? frames : 100))}
zembra=$build/app/zembra
writer=$build/bench/bench_render
width=640
height=480

for exe in "$zembra" "$writer"; do
    if [[ ! -x $exe ]]; then
        echo "$exe is missing: build the targets zembra and bench_render (-DZEMBRA_BENCH=ON)" >&2
        exit 1
    fi
done
if [[ ! -x /usr/bin/time ]]; then
    echo "/usr/bin/time is missing (Debian package time)" >&2
    exit 1
fi
for n in "$runs" "$frames" "$gif_frames"; do
    if ! [[ $n =~ ^[1-9][0-9]*$ ]]; then
        echo "RUNS, FRAMES and GIF_FRAMES must be positive numbers" >&2
        exit 2
    fi
done

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR=$work/runtime
fi

"$writer" --write-project="$work/bench.zembra" --frames="$frames" --gif-frames="$gif_frames" 2>/dev/null
echo "project: $(find "$work" -type f -printf "%s\n" | awk "{ s += \$1 } END { print s }") bytes ($frames frames of ${width}x${height}, $gif_frames-frame background GIF, 20 figures)"
echo "build:   $build ($(grep -m1 '^CMAKE_BUILD_TYPE' "$build/CMakeCache.txt" | cut -d= -f2))"

# Seconds from /usr/bin/time's "h:mm:ss" or "m:ss.cc".
# One value of /usr/bin/time -v's report.
field() { grep -F "$1" "$work/time.txt" | sed 's/.*: //'; }
seconds() { awk -F: '{ s = 0; for (i = 1; i <= NF; ++i) s = s * 60 + $i; printf "%.2f", s }' <<<"$1"; }

printf '%-4s %8s %8s %8s %10s %10s %10s %12s\n' run wall_s user_s sys_s maxrss_MiB gif_bytes frames/s B/px/frame
for ((run = 1; run <= runs; ++run)); do
    rm -f "$work/out.gif"
    if ! /usr/bin/time -v -o "$work/time.txt" "$zembra" render "$work/bench.zembra" --gif "$work/out.gif" \
        2>"$work/stderr.txt"; then
        echo "zembra render failed:" >&2
        cat "$work/stderr.txt" >&2
        exit 1
    fi
    wall=$(seconds "$(field 'Elapsed (wall clock)')")
    user=$(field 'User time')
    sys=$(field 'System time')
    rss=$(field 'Maximum resident set size')
    bytes=$(stat -c %s "$work/out.gif")
    printf '%-4s %8s %8s %8s %10.1f %10s %10.1f %12.3f\n' "$run" "$wall" "$user" "$sys" \
        "$(awk "BEGIN { print $rss / 1024 }")" "$bytes" "$(awk "BEGIN { print ($wall > 0 ? $frames / $wall : 0) }")" \
        "$(awk "BEGIN { print $rss * 1024 / ($width * $height * $frames) }")"
done

# The GIF must decode: every frame, at the project's size. The timed GIF
# merges frames that repeat the one before, so the frames are counted in a
# full-frame render, and (with ffprobe) both must last as long.
gif=$work/full.gif
"$zembra" render "$work/bench.zembra" --gif "$gif" --no-optimise 2>"$work/stderr.txt"
if command -v ffprobe >/dev/null; then
    checker=ffprobe
    found=$(ffprobe -v error -count_frames -select_streams v:0 \
        -show_entries stream=width,height,nb_read_frames -of csv=p=0 "$gif" 2>"$work/check.txt")
    [[ -s $work/check.txt ]] && found="decoder errors: $(head -3 "$work/check.txt")"
    duration() { ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"; }
    if [[ $(duration "$gif") != "$(duration "$work/out.gif")" ]]; then
        found="durations differ: $(duration "$work/out.gif") s optimised, $(duration "$gif") s in full frames"
    fi
elif command -v giftext >/dev/null; then
    checker=giftext
    if giftext -z "$gif" >/dev/null 2>"$work/check.txt" && [[ ! -s $work/check.txt ]]; then
        sizes=$(giftext "$gif" | grep -F 'Image Size' | sed 's/.*Width = \([0-9]*\), Height = \([0-9]*\)\./\1,\2/' | sort -u)
        found="$sizes,$(giftext "$gif" | grep -c '^Image #')"
    else
        found="decoder errors: $(head -3 "$work/check.txt")"
    fi
else
    checker="zembra gif info"
    info=$("$zembra" gif info "$gif" 2>/dev/null | head -1)
    found=$(sed -n 's/.*screen=\([0-9]*\)x\([0-9]*\) frames=\([0-9]*\).*corrupted=no.*/\1,\2,\3/p' <<<"$info")
fi
expected="$width,$height,$frames"
if [[ $found != "$expected" ]]; then
    echo "GIF check ($checker) FAILED: expected width,height,frames = $expected, found: ${found:-nothing}" >&2
    exit 1
fi
echo "GIF check ($checker): $frames frames of ${width}x${height} decode"
