#!/usr/bin/env bash
# The whole program's start as a user feels it: from launching the process to its window shown on
# a virtual X display with a window manager, and the CPU time it takes to its first paint and to settle
# (all its threads; load does not inflate it as it does the wall time). Each round starts, one
# after the other, the program from a fresh copy of its folder (so it creates the table and its
# settings), again on the empty table it left, on a table of a million generated words, the least
# Qt Widgets program of ours that shows a window (one Chinese label in the program's font: the
# floor of the CPU time), and `xmessage`: the least an X program takes to show a window here, the
# floor of the wall time. The rounds interleave, so a busy machine slows all five alike and the
# ratios stay comparable. Needs Xvfb, openbox, xdotool and xmessage; the window is watched by
# bench_window_start, and the least Qt program is bench_minimal_window, both built beside the
# program.
#
#   bench/process_start.sh [PROGRAM] [RUNS] [WORDS]     (defaults: build/bin/DoRori, 60, 1000000)
set -euo pipefail

program=$(realpath "${1:-build/bin/DoRori}")
runs=${2:-60}
words=${3:-1000000}
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

# The large table, generated once and kept under /tmp by the benchmarks' own helper.
large_table=$("$(dirname "$program")/bench_table_file" "$words")
window_start=$(dirname "$program")/bench_window_start
minimal_window=$(dirname "$program")/bench_minimal_window
mkdir -p "$work/empty" "$work/large/data" "$work/config"
cp "$program" "$work/large/DoRori"
cp "$large_table" "$work/large/data/DORori.db"

# A display of its own, chosen by the server, and a session folder of its own: nothing is shared
# with a desktop or another run. The server never starts over when its last client leaves, which
# could take the window manager down as it connects.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
while [ ! -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$work/run"
openbox >/dev/null 2>&1 &
# A window mapped before the manager's event loop runs may stay unmapped: a desktop switch that
# the manager carries out shows that the loop runs.
on_desktop() { xdotool set_desktop "$1" 2>/dev/null; [ "$(xdotool get_desktop 2>/dev/null)" = "$1" ]; }
for desktop in 1 0; do i=0; until on_desktop $desktop || [ $i -ge 200 ]; do sleep 0.05; i=$((i+1)); done; done

# Milliseconds from the launch of `command...` in `folder` to a visible window named `title`, and
# its CPU milliseconds to then and settled.
start_once() {
  local folder=$1 title=$2
  shift 2
  (cd "$folder" && "$window_start" "$title" "$@")
}
for _ in $(seq "$runs"); do
  # A first start: no table and no settings yet.
  rm -rf "$work/empty"/* "$work/config"/first && mkdir "$work/config/first"
  cp "$program" "$work/empty/DoRori"
  XDG_CONFIG_HOME=$work/config/first start_once "$work/empty" RIdavave ./DoRori >>"$work/first"
  XDG_CONFIG_HOME=$work/config/empty start_once "$work/empty" RIdavave ./DoRori >>"$work/again"
  XDG_CONFIG_HOME=$work/config/large start_once "$work/large" RIdavave ./DoRori >>"$work/large-table"
  XDG_CONFIG_HOME=$work/config/minimal start_once "$work" MinimalWindow "$minimal_window" >>"$work/minimal"
  start_once "$work" XMessageFloor xmessage -title XMessageFloor floor >>"$work/xmessage"
done

# Column 1 of a file of results is the wall time, column 2 the CPU time to the first paint, column 3
# the CPU time to settled.
median() { sort -n -k"$2" "$1" | awk -v c="$2" '{ t[NR] = $c } END { print t[int((NR + 1) / 2)] }'; }
summary() {
  sort -n -k"$3" "$2" | awk -v what="$1" -v c="$3" '{ t[NR] = $c } END {
    printf "%-34s median %5.1f ms   min %5.1f ms   max %5.1f ms   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR }'
}
ratio() { awk -v a="$(median "$2" "$4")" -v b="$(median "$3" "$4")" -v what="$1" 'BEGIN { printf "%-34s %.2fx\n", what, a / b }'; }

echo "Wall time to the window shown"
summary "first start (new table)" "$work/first" 1
summary "start on the empty table" "$work/again" 1
summary "start on a table of $words words" "$work/large-table" 1
summary "least Qt program" "$work/minimal" 1
summary "xmessage" "$work/xmessage" 1
ratio "large table / empty table" "$work/large-table" "$work/again" 1
ratio "empty table / xmessage" "$work/again" "$work/xmessage" 1
ratio "first start / xmessage" "$work/first" "$work/xmessage" 1
echo
echo "CPU time to the first paint, all threads"
summary "first start (new table)" "$work/first" 2
summary "start on the empty table" "$work/again" 2
summary "start on a table of $words words" "$work/large-table" 2
summary "least Qt program" "$work/minimal" 2
summary "xmessage" "$work/xmessage" 2
ratio "empty table / least Qt program" "$work/again" "$work/minimal" 2
ratio "large table / least Qt program" "$work/large-table" "$work/minimal" 2
ratio "first start / least Qt program" "$work/first" "$work/minimal" 2
echo
echo "CPU time to the window shown and settled, all threads"
summary "first start (new table)" "$work/first" 3
summary "start on the empty table" "$work/again" 3
summary "start on a table of $words words" "$work/large-table" 3
summary "least Qt program" "$work/minimal" 3
summary "xmessage" "$work/xmessage" 3
ratio "empty table / least Qt program" "$work/again" "$work/minimal" 3
ratio "large table / least Qt program" "$work/large-table" "$work/minimal" 3
ratio "first start / least Qt program" "$work/first" "$work/minimal" 3
