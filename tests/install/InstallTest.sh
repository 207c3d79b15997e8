#!/usr/bin/env bash
# Installs the built program into a fresh prefix and starts it through the link a user's PATH finds:
# every piece must be where the launcher looks, and the word table must appear beside the program.
set -euo pipefail

build_dir=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
prefix=$work/prefix
# Installing rewrites the manifest that uninstalls the user's own installation: keep it.
manifest=$build_dir/install_manifest.txt
[ -f "$manifest" ] && cp "$manifest" "$work/manifest"
restore() {
  # The program saves its settings as it closes: let it finish before its folders go.
  kill "${pid:-}" 2>/dev/null && wait "$pid" 2>/dev/null || true
  if [ -f "$work/manifest" ]; then cp "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap restore EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
. "$source_dir/tests/install/WaitForTable.sh"

HOME=$work cmake --install "$build_dir" --prefix "$prefix" >/dev/null

[ -x "$prefix/lib/dorori/DoRori" ] || fail "program not in lib/dorori"
[ "$(readlink -f "$prefix/bin/dorori")" = "$prefix/lib/dorori/DoRori" ] || fail "bin/dorori does not lead to it"
[ -f "$prefix/lib/dorori/dorori-plots.so" ] || fail "the plots module is not beside the program"
for list in "$source_dir"/res/wordlists/*.tsv; do
  cmp -s "$list" "$prefix/lib/dorori/wordlists/$(basename "$list")" || fail "$(basename "$list") is not beside the program"
done
for size in 16 22 32 48; do
  cmp -s "$prefix/share/icons/hicolor/${size}x${size}/apps/dorori.png" "$source_dir/res/mainicon_${size}.png" ||
    fail "the ${size}px icon is not the one the window shows"
done
entry=$prefix/share/applications/org.example.dorori.desktop
grep -qx "Exec=\"$prefix/lib/dorori/DoRori\"" "$entry" || fail "the entry does not start the installed program"
grep -qx "Icon=dorori" "$entry" || fail "the entry names another icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "invalid desktop entry"
fi
grep -qx "$prefix/bin/dorori" "$manifest" || fail "uninstalling would leave the link"

runtime=$work/runtime
mkdir -m 700 "$runtime"
(cd / && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$work/config \
  exec "$prefix/bin/dorori") &
pid=$!
wait_for_table "$prefix/lib/dorori/data/DORori.db" "$pid"
echo "installed and started from $prefix"
