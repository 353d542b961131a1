#!/usr/bin/env bash
# Runs yanchuan against the draw simulator: installs what is missing, builds,
# starts yanchuan-drawsim in the background, then the window when there is a
# display, otherwise the headless front end in live mode. The front end reads
# the user's sources.ini when there is one, and otherwise a generated one that
# points at the simulator. The simulator stops when the front end ends.
# Arguments are passed to the front end.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps
cmake --preset release
cmake --build --preset release

bin=build/release/bin
log=build/release/drawsim.log
work=$(mktemp -d "${TMPDIR:-/tmp}/yanchuan-run.XXXXXX")
sim_pid=

stop_simulator() {
    if [ -n "$sim_pid" ]; then
        kill -TERM "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
        sim_pid=
    fi
}
trap 'stop_simulator; rm -rf "$work"' EXIT

# Starts the simulator with the given options and waits for the line that
# gives its ports; fails when it ends first.
start_simulator() {
    : >"$work/ports"
    "$bin/yanchuan-drawsim" "$@" >"$work/ports" 2>>"$log" &
    sim_pid=$!
    for _ in $(seq 100); do
        if grep -q '^ports ' "$work/ports"; then
            return 0
        fi
        if ! kill -0 "$sim_pid" 2>/dev/null; then
            wait "$sim_pid" 2>/dev/null || true
            sim_pid=
            return 1
        fi
        sleep 0.1
    done
    stop_simulator
    return 1
}

: >"$log"
# The usual ports first: they are what a missing or default sources.ini means.
if ! start_simulator; then
    echo "run.sh: the draw simulator's usual ports are taken; using free ones" >&2
    if ! start_simulator --indo-port 0 --viet-port 0 --chongqing-port 0 --pk10-port 0; then
        echo "run.sh: the draw simulator did not start; see $log" >&2
        exit 1
    fi
fi
read -r _ indo viet chongqing pk10 <"$work/ports"
echo "run.sh: draw simulator on 127.0.0.1: $indo $viet $chongqing $pk10 (requests logged in $log)" >&2

user_sources="${XDG_CONFIG_HOME:-${HOME:-}/.config}/yanchuan/sources.ini"
if [ -f "$user_sources" ]; then
    echo "run.sh: reading the results services from $user_sources" >&2
    config_home="${XDG_CONFIG_HOME:-}"
else
    # The user's configuration is never written: the front end gets one of its own.
    config_home="$work/config"
    mkdir -p "$config_home/yanchuan"
    cat >"$config_home/yanchuan/sources.ini" <<INI
# The draw simulator started by run.sh.
[sources]
indo = 127.0.0.1:${indo#indo=}
viet = 127.0.0.1:${viet#viet=}
chongqing = 127.0.0.1:${chongqing#chongqing=}
pk10 = 127.0.0.1:${pk10#pk10=}
INI
fi

if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && [ -x "$bin/yanchuan" ]; then
    frontend=("$bin/yanchuan")
else
    echo "run.sh: no display (or no window built): the headless front end; Ctrl-C ends it" >&2
    frontend=("$bin/yanchuan-headless")
fi

status=0
if [ -n "$config_home" ]; then
    XDG_CONFIG_HOME="$config_home" "${frontend[@]}" "$@" || status=$?
else
    "${frontend[@]}" "$@" || status=$?
fi
exit "$status"
