#!/usr/bin/env bash
# The whole program's start as a user feels it: from launching the process to its window shown on
# a virtual X display with a window manager. Each round starts, one after the other, the program
# from a fresh copy of its folder (so it creates the table and its settings), again on the empty
# table it left, on a table of a million generated words, and `xmessage` as the floor: the least
# an X program takes to show a window here. The rounds interleave, so a busy machine slows all
# four alike and the ratios stay comparable. Needs Xvfb, openbox, xdotool and xmessage; the
# window is watched by bench_window_start, built beside the program.
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

# Milliseconds from the launch of `command...` in `folder` to a visible window named `title`.
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
  start_once "$work" XMessageFloor xmessage -title XMessageFloor floor >>"$work/xmessage"
done

median() { sort -n "$1" | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
summary() {
  sort -n "$2" | awk -v what="$1" '{ t[NR] = $1 } END {
    printf "%-34s median %5.1f ms   min %5.1f ms   max %5.1f ms   (%d runs)\n", what, t[int((NR + 1) / 2)], t[1], t[NR], NR }'
}
ratio() { awk -v a="$(median "$2")" -v b="$(median "$3")" -v what="$1" 'BEGIN { printf "%-34s %.2fx\n", what, a / b }'; }

summary "first start (new table)" "$work/first"
summary "start on the empty table" "$work/again"
summary "start on a table of $words words" "$work/large-table"
summary "xmessage" "$work/xmessage"
ratio "large table / empty table" "$work/large-table" "$work/again"
ratio "empty table / xmessage" "$work/again" "$work/xmessage"
ratio "first start / xmessage" "$work/first" "$work/xmessage"
