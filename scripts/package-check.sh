#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it: the program, the
# simulated writer, the menu entry, the icon, the changelog, the copyright file
# and the manual pages are in it, the entry is valid, its dependencies were
# computed from the binaries, lintian reports no error and no warning, and the
# program unpacked from it starts and keeps running.
# Usage: scripts/package-check.sh [build dir]
cd "$(dirname "$0")/.."
source scripts/common.sh
krv_install_missing

build=${1:-build}
scratch=$(mktemp -d)
app_pid=""
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "package check: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/krv-writer_*.deb)
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb")
for f in usr/bin/krv-writer usr/bin/krv-writer-simulator usr/share/applications/krv-writer.desktop \
         usr/share/icons/hicolor/scalable/apps/krv-writer.svg usr/share/doc/krv-writer/changelog.gz \
         usr/share/doc/krv-writer/copyright usr/share/man/man1/krv-writer.1.gz \
         usr/share/man/man1/krv-writer-simulator.1.gz; do
    grep -q " \./$f\$" <<<"$contents" || fail "$f is not in the package"
done

depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-liberation2 libqt6widgets6 libjpeg62-turbo; do
    grep -q "\b$p\b" <<<"$depends" || fail "Depends lacks $p: $depends"
done

lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

root="$scratch/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/krv-writer.desktop" || fail "the desktop entry is not valid"

# The unpacked program on the offscreen platform, with settings, lock and
# runtime files of its own: it must still be running a few seconds later.
mkdir -p "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
    "$root/usr/bin/krv-writer" >"$scratch/app.log" 2>&1 &
app_pid=$!
sleep 3
kill -0 "$app_pid" 2>/dev/null || { cat "$scratch/app.log" >&2; app_pid=""; fail "the installed krv-writer did not keep running"; }
"$root/usr/bin/krv-writer-simulator" --help >/dev/null || fail "the installed krv-writer-simulator does not start"
echo "package check: passed"
