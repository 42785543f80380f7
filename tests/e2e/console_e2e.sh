#!/usr/bin/env bash
# The program's command line on a machine without a display: the help, the
# version, a wrong option and the console commands answer on the console and
# never reach the window system.
#
# Usage: console_e2e.sh PATH_TO_VANTROPE SHIPPED_SETTINGS_FILE
set -euo pipefail

binary=$(realpath "${1:?usage: $0 PATH_TO_VANTROPE SHIPPED_SETTINGS_FILE}")
settings=$(realpath "${2:?usage: $0 PATH_TO_VANTROPE SHIPPED_SETTINGS_FILE}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$settings" Vantrope.ini

failed=0
# Runs the program with no display; its status, output and errors in files.
run() {
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$binary" "$@" >out 2>err || status=$?
  echo "$status" >status
}
expect() {  # expect STATUS FILE TEXT DESCRIPTION
  if [[ "$(cat status)" != "$1" ]] || ! grep -qF -- "$3" "$2"; then
    echo "FAIL: $4: status $(cat status), expected $1 and \"$3\" in $2" >&2
    sed 's/^/  out: /' out >&2
    sed 's/^/  err: /' err >&2
    failed=$((failed + 1))
  fi
}

run --help
expect 0 out "--lab" "--help prints the usage"
run --version
expect 0 out "vantrope 1.62" "--version prints the version"
run --no-such-option
expect 2 err "no-such-option" "an unknown option is named"
expect 2 err "--history-summary" "an unknown option comes with the usage"
run --lab --strategy 1 --strategy 0 --runs 2000 --bets 300 --seed 7
expect 0 out "Вероятность разорения" "--lab prints the figures"
expect 0 out "Мартингейл" "--lab names the strategies side by side"
cp out first
run --lab --strategy 1 --strategy 0 --runs 2000 --bets 300 --seed 7
cmp -s out first || { echo "FAIL: --lab gives other figures for the same seed" >&2; failed=$((failed + 1)); }
run --lab --runs 0
expect 2 err "--runs" "--lab refuses a value out of its range"
run --lab --replay missing.dat
expect 1 err "missing.dat" "--lab names a history file it cannot read"
run --history-summary missing.dat
expect 1 err "missing.dat" "--history-summary names a file it cannot read"
run --runs 5
expect 2 err "--runs" "a lab option without --lab is refused"

if ((failed > 0)); then
  echo "console e2e: $failed failed" >&2
  exit 1
fi
echo "console e2e: passed"
