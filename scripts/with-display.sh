#!/usr/bin/env bash
# Runs a command on a private virtual X display (Xvfb) started for it alone,
# and stops that display afterwards. DISPLAY is replaced even when it is set,
# so nothing the command does can reach the user's own desktop. The server
# picks a free display number itself (-displayfd), so runs started at the same
# time never share one. Usage: with-display.sh COMMAND [ARGUMENT...]
set -euo pipefail

work=$(mktemp -d)
server=""
child=""

# True while any process of group $1 is alive (zombies aside).
group_alive() {
  local file stat state group
  for file in /proc/[0-9]*/stat; do
    # A process may end while this runs: its file is then gone.
    read -r stat 2>/dev/null <"$file" || continue
    # Fields after the command name: state, parent, process group.
    read -r state _ group _ <<<"${stat##*) }"
    [[ $group == "$1" && $state != Z ]] && return 0
  done
  return 1
}

# Stops the command and everything it started (it runs in a process group of
# its own), then the server, however this script ends: normally, on a
# failure, on Ctrl+C, or on TERM from a time-out. What does not end within
# 3 s of TERM is killed.
stop() {
  if [[ -n $child ]]; then
    kill -TERM -- "-$child" 2>/dev/null || true
    for _ in $(seq 30); do
      group_alive "$child" || break
      sleep 0.1
    done
    kill -KILL -- "-$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
  fi
  if [[ -n $server ]]; then
    kill "$server" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$server" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# -noreset keeps the server alive when its last client leaves. The server
# writes its display number to descriptor 3 once it accepts connections.
: >"$work/number"
env -u LD_PRELOAD Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp \
  3>"$work/number" >"$work/log" 2>&1 &
server=$!

number=""
for _ in $(seq 100); do
  # The number is complete once its line ends.
  if [[ $(wc -l <"$work/number") -ge 1 ]]; then
    number=$(tr -dc '0-9' <"$work/number")
    break
  fi
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [[ -z $number ]]; then
  echo "with-display: Xvfb did not start within 10 s; its log:" >&2
  cat "$work/log" >&2
  exit 1
fi
export DISPLAY=":$number"

# In the background so that a signal to this script is handled at once, even
# while the command runs; the trap then stops the command as well. Job
# control puts it in a process group of its own, whose id is its pid, so that
# what it starts can be stopped with it.
set -m
"$@" &
child=$!
set +m
status=0
wait "$child" || status=$?
child=""
exit "$status"
