#!/usr/bin/env bash
# Install what is missing, build, and start the application with the
# simulated writer attached as COM1.
cd "$(dirname "$0")"
source scripts/common.sh
krv_install_missing
krv_build build

ports="${XDG_CONFIG_HOME:-$HOME/.config}/krv-writer/ports"
mkdir -p "$ports"
box_pid=""
if [ -x build/writer-box ]; then
    build/writer-box --link "$ports/COM1" &
    box_pid=$!
    trap '[ -n "$box_pid" ] && kill "$box_pid" 2>/dev/null; rm -f "$ports/COM1"' EXIT
    for _ in $(seq 50); do [ -e "$ports/COM1" ] && break; sleep 0.1; done
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting under Xvfb (nothing will be visible)." >&2
    xvfb-run -a build/krv-writer
else
    build/krv-writer
fi
