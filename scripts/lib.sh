# Helpers shared by the scripts and the script tests; sourced, not run.
# Every wait here has a time limit and, when it runs out, fails naming what it
# was waiting for.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# True while process PID exists and has not ended (an ended child that has not
# been waited for yet is a zombie, which `kill -0` still finds).
alive() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1) || return 1
  [[ -n $state && $state != Z ]]
}

# wait_exit PID SECONDS WHAT: waits at most SECONDS for the child PID to end and
# sets `exit_status` to its status. If it is still running then, kills it and
# fails, naming WHAT.
wait_exit() {
  local pid=$1 seconds=$2 what=$3
  for _ in $(seq $((seconds * 10))); do
    alive "$pid" || break
    sleep 0.1
  done
  if alive "$pid"; then
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    fail "$what did not end within $seconds s"
  fi
  exit_status=0
  wait "$pid" || exit_status=$?
}
