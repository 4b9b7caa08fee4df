#!/usr/bin/env bash
# Runs a command on the current X display, or, when DISPLAY is not set, on a
# virtual display (Xvfb) started for it and stopped afterwards.
set -euo pipefail

if [[ -n ${DISPLAY:-} ]]; then
  exec "$@"
fi

# Pick the first display number with no server on it.
number=99
while [[ -e /tmp/.X${number}-lock || -e /tmp/.X11-unix/X${number} ]]; do
  number=$((number + 1))
done

# -noreset keeps the server alive between clients.
Xvfb ":${number}" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true' EXIT

export DISPLAY=":${number}"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb failed to start on $DISPLAY" >&2; exit 1; }
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not answer on $DISPLAY" >&2; exit 1; }

"$@"
