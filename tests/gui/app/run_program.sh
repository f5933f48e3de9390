#!/usr/bin/env bash
# The real program with the simulated meter, driven like a user: it opens "Senza titolo", and
# File > Esci (keyboard: F10, Up to the last entry, Return) ends it cleanly, writing the preferences.
#   run_program.sh <hvx-monitor> <preload dir> <scenario>     (needs DISPLAY, xdotool and xprop)
set -euo pipefail
program=$1 preload=$2 scenario=$3
# shellcheck source=tests/e2e/drive.sh
source "$(dirname "$0")/../../e2e/drive.sh"

home=$(mktemp -d)
drive_tmp=$home drive_log=$home/out.log
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  drive_release
  rm -rf "$home"
}
trap cleanup EXIT
# Tips off, so the main window keeps the keyboard; 354 reads as pressure unit 98 (its low byte).
printf '1\n354\n0\n0\n2\n0\n0\n' >"$home/hvxv48.ini"

hold_x_connection
HOME=$home LD_LIBRARY_PATH=$preload HVX_SIM_SCENARIO=$scenario NO_AT_BRIDGE=1 "$program" >"$drive_log" 2>&1 &
pid=$!
wid=$(wait_window "Senza titolo")
kill -0 "$pid" || fail "the program ended by itself"
# The splash picture closes after two seconds: until then it would take the keys.
sleep 2.5
quit_program "$pid" "$wid"
pid=""

expected=$'1\n98\n0\n0\n2\n0\n0'
actual=$(cat "$home/hvxv48.ini")
[ "$actual" = "$expected" ] || fail "preferences file after Esci: $actual"
