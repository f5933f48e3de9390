#!/usr/bin/env bash
# The real program with the simulated meter, driven like a user: it opens "Senza titolo", and
# File > Esci (keyboard: F10, Up to the last entry, Return) ends it cleanly, writing the preferences.
#   run_program.sh <hvx-monitor> <preload dir> <scenario>     (needs DISPLAY and xdotool)
set -euo pipefail
program=$1 preload=$2 scenario=$3
home=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
# Tips off, so the main window keeps the keyboard; 354 reads as pressure unit 98 (its low byte).
printf '1\n354\n0\n0\n2\n0\n0\n' >"$home/hvxv48.ini"

HOME=$home LD_LIBRARY_PATH=$preload HVX_SIM_SCENARIO=$scenario NO_AT_BRIDGE=1 "$program" >"$home/out.log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Senza titolo$' | head -n1)
[ -n "$wid" ] || { echo "no main window"; cat "$home/out.log"; exit 1; }
kill -0 "$pid" || { echo "the program ended by itself"; exit 1; }

sleep 2.5  # the splash picture closes after two seconds
# Other test programs may share this X server and take the focus: try the keys a few times.
for _ in 1 2 3; do
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  xdotool key Escape F10
  sleep 0.5
  xdotool key Up
  sleep 0.3
  xdotool key Return
  for _ in $(seq 30); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Esci did not end the program"
  exit 1
fi
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "exit status $status"; cat "$home/out.log"; exit 1; }
expected=$'1\n98\n0\n0\n2\n0\n0'
actual=$(cat "$home/hvxv48.ini")
[ "$actual" = "$expected" ] || { echo "preferences file after Esci:"; echo "$actual"; exit 1; }
