# Sourced by the install tests: wait_for_table FILE PID waits up to ten seconds for the program PID
# to create its word table FILE; it fails when the program ends first or the table never appears.
wait_for_table() {
  for _ in $(seq 100); do
    [ -f "$1" ] && return 0
    kill -0 "$2" 2>/dev/null || { echo "FAIL: the program ended at start" >&2; exit 1; }
    sleep 0.1
  done
  echo "FAIL: no word table at $1" >&2
  exit 1
}
