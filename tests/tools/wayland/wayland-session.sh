#!/usr/bin/env bash
# Runs COMMAND... inside a private headless Wayland session: sway (headless
# backend, pixman renderer) with one 640x480 output HEADLESS-1, PipeWire and
# WirePlumber, xdg-desktop-portal with xdg-desktop-portal-wlr sharing that
# output without asking, all on a D-Bus session bus of their own.
#
# sway refuses to run as root, so as root the session runs as the unprivileged
# user zembra-wayland (created on first use), from a copy of COMMAND (a test
# executable linked statically to the project); ZEMBRA_TEST_OUTPUT is given a
# folder that user may write.
#
# Exit status: COMMAND's, 77 when a program of the session is not installed
# (the test is then skipped), 124 when the whole run took longer than
# ZEMBRA_WAYLAND_TIMEOUT seconds (default 240). Everything started is ended.
set -uo pipefail

if [ "${1:-}" = "--inner" ]; then
  shift
  # --- inside dbus-run-session, as the session's user -----------------------
  pids=()
  cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null; done
    sleep 0.3
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    wait 2>/dev/null
  }
  trap cleanup EXIT
  trap 'exit 143' TERM INT

  log="$XDG_RUNTIME_DIR/session.log"
  say() { echo "wayland-session: $*" >&2; }
  # Waits up to $1 tenths of a second for the command after it to succeed.
  wait_for() {
    local tenths=$1; shift
    for ((n = 0; n < tenths; n++)); do
      "$@" >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    return 1
  }
  fail() {
    say "$*"
    say "--- session log ---"
    tail -n 40 "$log" >&2
    exit 1
  }
  has_name() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
  }

  mkdir -p "$XDG_CONFIG_HOME/xdg-desktop-portal-wlr"
  cat >"$XDG_CONFIG_HOME/sway.conf" <<'EOF'
output HEADLESS-1 resolution 640x480 position 0 0 bg #00ff00 solid_color
EOF
  cat >"$XDG_CONFIG_HOME/xdg-desktop-portal-wlr/config" <<'EOF'
[screencast]
chooser_type=none
output_name=HEADLESS-1
max_fps=30
EOF

  pipewire >>"$log" 2>&1 & pids+=($!)
  wait_for 100 test -S "$XDG_RUNTIME_DIR/pipewire-0" || fail "PipeWire did not start"
  wireplumber >>"$log" 2>&1 & pids+=($!)

  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$XDG_CONFIG_HOME/sway.conf" >>"$log" 2>&1 & pids+=($!)
  wait_for 150 test -S "$XDG_RUNTIME_DIR/wayland-1" || fail "sway did not start"
  export WAYLAND_DISPLAY=wayland-1
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
  export SWAYSOCK
  wait_for 100 swaymsg -t get_outputs || fail "sway does not answer on its socket"
  dbus-update-activation-environment WAYLAND_DISPLAY SWAYSOCK XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
    XDG_RUNTIME_DIR XDG_CONFIG_HOME >>"$log" 2>&1

  /usr/libexec/xdg-desktop-portal-wlr -l "${ZEMBRA_PORTAL_LOG:-INFO}" >>"$log" 2>&1 & pids+=($!)
  export ZEMBRA_PORTAL_BACKEND_PID=$!
  export ZEMBRA_SESSION_LOG=$log
  wait_for 100 has_name org.freedesktop.impl.portal.desktop.wlr || fail "xdg-desktop-portal-wlr did not start"
  /usr/libexec/xdg-desktop-portal -r >>"$log" 2>&1 & pids+=($!)
  wait_for 100 has_name org.freedesktop.portal.Desktop || fail "xdg-desktop-portal did not start"
  # WirePlumber has to have the graph running before a stream can connect.
  wait_for 100 sh -c 'pw-cli info 0 | grep -q id' || fail "PipeWire does not answer"

  "$@"
  status=$?
  [ $status -ne 0 ] && { say "command failed with status $status; session log:"; tail -n 40 "$log" >&2; }
  exit $status
fi

# --- outside: find the programs, choose the user, start the bus -------------
for program in sway swaymsg pipewire wireplumber pw-cli dbus-run-session dbus-send \
  dbus-update-activation-environment /usr/libexec/xdg-desktop-portal /usr/libexec/xdg-desktop-portal-wlr; do
  if ! command -v "$program" >/dev/null 2>&1; then
    echo "wayland-session: $program is not installed (scripts/install-deps.sh installs it)" >&2
    exit 77
  fi
done
[ $# -gt 0 ] || { echo "usage: $0 COMMAND..." >&2; exit 2; }

script=$(readlink -f "$0")
limit=${ZEMBRA_WAYLAND_TIMEOUT:-240}
base=$(mktemp -d /tmp/zembra-wayland.XXXXXX) || exit 1
trap 'rm -rf "$base"' EXIT
mkdir -m 700 "$base/run" "$base/home" "$base/home/.config"
mkdir -p "$base/output"
output=${ZEMBRA_TEST_OUTPUT:-$base/output}

if [ "$(id -u)" -eq 0 ]; then
  user=zembra-wayland
  if ! id "$user" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user" || exit 1
  fi
  # The build folder may be closed to other users (a checkout under /root):
  # the command (statically linked to the project) and the sanitizer's
  # suppressions run from copies of the user's own.
  mkdir -p "$output" "$base/bin"
  cp "$(readlink -f "$1")" "$base/bin/" || exit 1
  command=("$base/bin/$(basename "$1")" "${@:2}")
  shift $#
  set -- "${command[@]}"
  if [[ "${LSAN_OPTIONS:-}" =~ suppressions=([^:]*) ]]; then
    cp "${BASH_REMATCH[1]}" "$base/lsan.supp" 2>/dev/null || : >"$base/lsan.supp"
    LSAN_OPTIONS=${LSAN_OPTIONS/${BASH_REMATCH[0]}/suppressions=$base/lsan.supp}
  fi
  chown -R "$user:" "$base" "$output"
  chmod 755 "$base"
  run_as=(runuser -u "$user" --)
else
  run_as=()
fi

env_vars=(HOME="$base/home" XDG_RUNTIME_DIR="$base/run" XDG_CONFIG_HOME="$base/home/.config"
  XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland PATH="$PATH" LANG=C.UTF-8
  ZEMBRA_TEST_OUTPUT="$output")
# What the test executables and sanitizers read passes through.
for name in QT_QPA_PLATFORM ZEMBRA_SOURCE_DIR ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS GTEST_FILTER \
  GTEST_OUTPUT ZEMBRA_PORTAL_LOG; do
  [ -n "${!name:-}" ] && env_vars+=("$name=${!name}")
done

timeout -k 10 "$limit" "${run_as[@]}" env -i "${env_vars[@]}" \
  dbus-run-session -- bash "$script" --inner "$@"
