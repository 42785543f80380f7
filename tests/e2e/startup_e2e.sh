#!/usr/bin/env bash
# The program starts in an empty folder under a virtual X server, shows its
# main window and ends on SIGTERM with exit code 0, leaving a settings file
# with every section and the defaults.
#
# Usage: startup_e2e.sh PATH_TO_VANTROPE
# Needs xvfb-run (xvfb, xauth) and xdotool.
set -euo pipefail

# Runs inside the virtual X server, in the test folder; writes whether the
# window appeared to window_shown and the program's exit code to exit_code.
session() {
  "$1" >program.log 2>&1 &
  local pid=$!
  local shown=no
  for _ in $(seq 1 60); do
    if xdotool search --onlyvisible --name Vantrope >/dev/null 2>&1; then
      shown=yes
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  echo "$shown" >window_shown
  # Let the start-up settle before asking the program to end.
  sleep 2
  kill -TERM "$pid" 2>/dev/null || true
  for _ in $(seq 1 60); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    echo "none: still running 30 s after SIGTERM" >exit_code
    return
  fi
  local code=0
  wait "$pid" || code=$?
  echo "$code" >exit_code
}

if [[ "${1:-}" == --in-x-server ]]; then
  session "$2"
  exit 0
fi

binary=$(realpath "${1:?usage: $0 PATH_TO_VANTROPE}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Qt WebEngine runs as root here: no sandbox, no GPU.
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

fail() {
  echo "FAIL: $*" >&2
  if [[ -f program.log ]]; then
    echo "--- program output ---" >&2
    tail -n 40 program.log >&2
  fi
  exit 1
}

xvfb-run -a -n $((RANDOM % 500 + 100)) -s '-screen 0 1600x1000x24' bash "$(realpath "$0")" --in-x-server "$binary"

[[ "$(cat window_shown)" == yes ]] || fail "the main window did not appear within 30 s"
[[ "$(cat exit_code)" == 0 ]] || fail "exit code after SIGTERM: $(cat exit_code)"
[[ -f Vantrope.ini ]] || fail "no Vantrope.ini was written"

# Without a run, RobotMode is written back as it was read: the default 100.
settings=$(tr -d '\r' <Vantrope.ini)
for line in '[MainForm]' '[Alpari]' '[Binary]' '[Robot0]' '[Robot1]' '[Robot2]' '[Robot3]' '[Robot4]' \
  '[Robot5]' '[Robot6]' 'RobotMode=100' 'LoadPictures=1'; do
  grep -qxF -- "$line" <<<"$settings" || fail "Vantrope.ini lacks the line $line"
done

echo "startup e2e: 1 passed, 0 failed"
