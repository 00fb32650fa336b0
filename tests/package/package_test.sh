#!/bin/sh
# Builds the Debian package from this build tree (or takes the given .deb),
# unpacks it into a scratch root, starts the program from there offscreen with a
# fresh home folder and runs the command-line tool's help and one statistic.
#   package_test.sh BUILD_DIR [PACKAGE.deb]
set -eu
build=$1
deb=${2:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }

if [ -z "$deb" ]; then
  # Fast: no compression and no dependency scan of the test build's programs.
  (cd "$build" && cpack -G DEB -B "$scratch/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
    -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF -D CPACK_STRIP_FILES=OFF >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
  deb=$(ls "$scratch"/out/vetrilo_*_amd64.deb 2>/dev/null | head -n 1)
  [ -n "$deb" ] || fail "no vetrilo_<version>_amd64.deb was made"
fi
case $(basename "$deb") in vetrilo_*_amd64.deb) ;; *) fail "unexpected name $deb" ;; esac

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in usr/lib/vetrilo/Vetrilo_4d47 usr/lib/vetrilo/vetrilo-cli usr/lib/vetrilo/installed-by-package \
         usr/lib/vetrilo/demo/Vetrilo_4d47.ldr usr/share/applications/vetrilo.desktop \
         usr/share/icons/hicolor/scalable/apps/vetrilo.svg; do
  [ -e "$root/$f" ] || fail "$f is missing"
done
[ -L "$root/usr/bin/vetrilo" ] && [ -L "$root/usr/bin/vetrilo-cli" ] || fail "links in usr/bin are missing"
[ "$(dpkg-deb -f "$deb" Package)" = vetrilo ] || fail "package name"

home=$scratch/home
mkdir -p "$home"
export HOME="$home"
unset XDG_DATA_HOME
data=$home/.local/share/vetrilo

"$root/usr/bin/vetrilo-cli" --help >"$scratch/help.txt" || fail "vetrilo-cli --help failed"
grep -q "update check" "$scratch/help.txt" || fail "vetrilo-cli --help lists no update command"
"$root/usr/bin/vetrilo-cli" stats EVNV --depth 50 --no-norm >"$scratch/stats.csv" ||
  fail "vetrilo-cli stats failed"
[ -s "$scratch/stats.csv" ] || fail "vetrilo-cli stats printed nothing"
[ -f "$data/Vetrilo_4d47.ldr" ] || fail "the data folder was not seeded with the demo archive"
"$root/usr/bin/vetrilo-cli" update check >/dev/null 2>"$scratch/update.txt" || fail "update check in a package install"
grep -q "менеджер пакетов" "$scratch/update.txt" || fail "update check does not name the package manager"

# The desktop program keeps running until it is stopped: it started when it
# opened the stake file of the data folder and was still running at the end.
rm -f "$data/Vetrilo_4d47.lsk"
status=0
QT_QPA_PLATFORM=offscreen timeout 20 "$root/usr/bin/vetrilo" batch >"$scratch/gui.log" 2>&1 || status=$?
[ "$status" = 124 ] || { cat "$scratch/gui.log" >&2; fail "the program ended with status $status"; }
[ -f "$data/Vetrilo_4d47.lsk" ] || fail "the program did not open its data folder"
[ ! -e "$root/usr/lib/vetrilo/Vetrilo_4d47.lsk" ] || fail "the program wrote into its program folder"
echo "package test: $(basename "$deb") installs and starts"
