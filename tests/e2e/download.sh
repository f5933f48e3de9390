#!/usr/bin/env bash
# The meter's log downloaded as a person does it, with the real program and the preloaded simulated
# meter under Xvfb: a click on the download button, "Yes" to the save question, a full path pasted
# into the real GTK file chooser, OK to the erase, then File > Esci. The saved file must hold the
# scenario's events and the meter (its memory written by the simulator when the program ends) must
# be empty.
#   download.sh <hvx-monitor> <preload dir> <download-check> <scenario> <flow unit>
# Needs DISPLAY, xdotool, xprop and xclip.
set -euo pipefail
program=$1 preload=$2 check=$3 scenario=$4 flow_unit=$5
# shellcheck source=tests/e2e/drive.sh
source "$(dirname "$0")/drive.sh"

work=$(mktemp -d)
drive_tmp=$work drive_log=$work/program.log
pid="" clip=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$clip" ] && kill "$clip" 2>/dev/null || true
  drive_release
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/home"
# Tips off, so the main window keeps the keyboard; the user prefers cubic metres per hour.
printf '1\n98\n0\n0\n2\n0\n0\n' >"$work/home/hvxv48.ini"
saved="$work/saved/Prova scarico.orv"  # a space, as people's file names have
mkdir "$work/saved"

hold_x_connection
HOME=$work/home LD_LIBRARY_PATH=$preload HVX_SIM_SCENARIO=$scenario \
  HVX_SIM_MEMORY_OUT=$work/memory.bin NO_AT_BRIDGE=1 "$program" >"$drive_log" 2>&1 &
pid=$!
main=$(wait_window "Senza titolo")

click_download_button "$main"
wait_window "Salvare i nuovi dati?" 60 \
  "after the click on the download button: has it moved? (click_download_button, drive.sh)" >/dev/null
answer "Salvare i nuovi dati?" Return  # Yes is the default button

# The real file chooser, answered with a pasted full path: the location entry (Ctrl+L), all of its
# proposed name selected, the clipboard pasted, Return. The chooser ignores Return while it still
# loads the pasted folder: pressed again until it closes.
printf '%s' "$saved" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
clip=$!
offered=""
for _ in $(seq 50); do
  [ "$(xclip -selection clipboard -o 2>/dev/null || true)" = "$saved" ] && { offered=1; break; }
  sleep 0.1
done
[ -n "$offered" ] || fail "xclip does not offer the path"
chooser_title="Salva i dialoghi dello spazio di lavoro"
chooser=$(wait_window "$chooser_title")
pasted=""
for _ in 1 2 3 4 5; do
  xdotool windowfocus --sync "$chooser" 2>/dev/null || true
  xdotool key ctrl+l ctrl+a ctrl+v
  for _ in $(seq 20); do
    xdotool key Return
    gone_within "$chooser_title" 1 && { pasted=1; break 2; }
  done
done
[ -n "$pasted" ] || fail "the file chooser did not take the pasted path"
kill "$clip" 2>/dev/null || true
clip=""

answer "Attenzione: Cancellare dati" Return  # OK is the default button
# The main window shows the saved file's name.
wait_window "Prova scarico.orv" >/dev/null

# The records are saved: the program ends without a question.
quit_program "$pid" "$main"
pid=""

[ -f "$saved" ] || fail "nothing saved at $saved"
[ -f "$work/memory.bin" ] || fail "the simulator wrote no memory image"
"$check" "$scenario" "$saved" "$work/memory.bin" "$flow_unit" || fail "the download's results differ"
