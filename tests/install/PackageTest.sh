#!/usr/bin/env bash
# Makes the .deb from the built tree, checks what it holds, unpacks it into a temporary root and starts
# the unpacked program: its options answer without a display, and a real start under Xvfb puts the
# word list in the user's data folder, never beside the program.
set -euo pipefail

build_dir=$1
work=$(mktemp -d)
cleanup() {
  kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
. "$(dirname "$0")/WaitForTable.sh"

# What the package target runs after building: a build started here could relink programs that
# other tests are running.
(cd "$build_dir" && cpack --config CPackConfig.cmake >/dev/null)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
deb=$build_dir/dorori_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $deb"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for file in /usr/bin/dorori /usr/lib/"$(dpkg-architecture -qDEB_HOST_MULTIARCH)"/dorori/dorori-plots.so /usr/share/applications/org.example.dorori.desktop /usr/share/metainfo/org.example.dorori.metainfo.xml \
  /usr/share/man/man1/dorori.1.gz /usr/share/doc/dorori/copyright /usr/share/doc/dorori/changelog.gz \
  /usr/share/icons/hicolor/{16x16,22x22,32x32,48x48}/apps/dorori.png /usr/share/icons/hicolor/scalable/apps/dorori.svg; do
  grep -qx "$file" "$work/files" || fail "the package lacks $file"
done
for list in "$(dirname "$0")"/../../res/wordlists/*.tsv; do
  grep -qx "/usr/share/dorori/wordlists/$(basename "$list")" "$work/files" || fail "the package lacks $(basename "$list")"
done
grep -q '/data/\|DORori.db\|\.ini$' "$work/files" && fail "the package holds user data"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6charts6 libsqlite3-0 fonts-wqy-zenhei espeak-ng-data libespeak-ng1 libhunspell; do
  [[ $depends == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for wanted in qt6-wayland hunspell-en-us; do
  [[ $recommends == *"$wanted"* ]] || fail "the package does not recommend $wanted: $recommends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/dorori
grep -qx 'License: GPL-3.0-or-later' "$root/usr/share/doc/dorori/copyright" || fail "the copyright names another licence"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)" = "DoRori $version" ] || fail "--version"
set +e
refusal=$("$program" --no-such-option 2>&1 >/dev/null)
status=$?
set -e
[ $status -eq 2 ] || fail "an unknown option ended with $status"
[ "$(printf '%s\n' "$refusal" | wc -l)" -eq 1 ] || fail "an unknown option printed: $refusal"

export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
list=$XDG_DATA_HOME/dorori/data/DORori.db
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display") "$program" &
pid=$!
wait_for_table "$list" "$pid"
[ -e "$root/usr/bin/data" ] && fail "the packaged program wrote beside itself"
help=$("$program" --help)
[[ $help == *"$list"* && $help == *"$XDG_CONFIG_HOME/dorori/DoRori.ini"* && $help == *"Settings:  $XDG_CONFIG_HOME/ZYSOFT/DoRori.reg"* ]] || fail "--help names other places: $help"
check=$("$program" --check) || fail "--check of a fresh list: $check"
[[ $check == *"records: 0"* ]] || fail "--check printed: $check"
echo "packaged, unpacked and started: $deb"
