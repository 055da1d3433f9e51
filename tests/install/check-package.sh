#!/bin/sh
# Builds the Debian package into a temporary folder and checks its contents and control fields.
# Usage: check-package.sh BUILD_DIR
set -eu
build=$1
id=org.airmotorselector.AirMotorSelector
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$tmp"/airmotor_*.deb)
dpkg-deb --contents "$deb" | awk '{print $6}' >"$tmp/contents"
for f in ./usr/bin/airmotor ./usr/bin/airmotor-cli ./usr/share/airmotor/Zevodida.db \
    ./usr/share/airmotor/help/index.html ./usr/share/applications/$id.desktop \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/icons/hicolor/48x48/apps/$id.png \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/man/man1/airmotor.1.gz ./usr/share/man/man1/airmotor-cli.1.gz \
    ./usr/bin/airmotor-server ./usr/share/man/man1/airmotor-server.1.gz ./usr/share/airmotor/web/index.html \
    ./usr/lib/systemd/system/airmotor-server.service; do
    grep -qx "$f" "$tmp/contents" || fail "not in the package: $f"
done
grep -q '^\./usr/share/airmotor/.*\.WMF$' "$tmp/contents" || fail "no drawings in the package"
depends=$(dpkg-deb --field "$deb" Depends)
# Computed from the linked libraries, plus the plugins loaded at run time.
for d in libqt6widgets6 libqt6sql6 libwmf libc6 libqt6sql6-sqlite qt6-qpa-plugins libqt6httpserver6; do
    echo "$depends" | grep -q "$d" || fail "Depends lacks $d: $depends"
done
echo "package $(basename "$deb"): ok"
