#!/bin/sh
# Installs the build tree into a temporary prefix and uses the result as a user would: from another
# folder, without --folder, with an empty home.  Usage: check-install.sh BUILD_DIR [CMAKE]
set -eu
src=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
cmake=${2:-cmake}
id=org.airmotorselector.AirMotorSelector
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$tmp/prefix" >/dev/null
p=$tmp/prefix
for f in bin/airmotor-cli bin/airmotor bin/airmotor-server share/airmotor/Zevodida.db share/airmotor/help/index.html \
    share/airmotor/web/index.html lib/systemd/system/airmotor-server.service share/man/man1/airmotor-server.1.gz \
    share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
    share/icons/hicolor/16x16/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
    share/metainfo/$id.metainfo.xml share/man/man1/airmotor.1.gz share/man/man1/airmotor-cli.1.gz \
    libexec/airmotor/airmotor-access-reader share/airmotor/samples/motor-list/Motorlista.xlsx \
    "share/airmotor/Produktionsdata/Alla TKM Trebro och Ungern Test.sqlite"; do
    [ -f "$p/$f" ] || fail "not installed: $f"
done
ls "$p"/share/airmotor/*.WMF >/dev/null 2>&1 || fail "no drawings installed"
[ ! -e "$p/share/airmotor/ZEVODIDA.DAT" ] || fail "a settings file was installed into the shared folder"

mkdir "$tmp/elsewhere" "$tmp/home"
cd "$tmp/elsewhere"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config"
"$p/bin/airmotor-cli" catalogue --json >catalogue.json || fail "installed airmotor-cli catalogue failed"
grep -q '"count":[1-9]' catalogue.json || fail "installed catalogue is empty: $(head -c 200 catalogue.json)"
"$p/bin/airmotor-cli" search --torque 10 --speed 3000 --pressure 6 --json | grep -q '"rows":\[{' ||
    fail "installed search found no motor"
"$p/bin/airmotor-cli" drawing --index 1 --out drawing.png >/dev/null || fail "installed drawing failed"
# The installed CLI finds its Access reader: the file is read, and found to hold other tables.
"$p/bin/airmotor-cli" import-catalogue "$src/tests/data/access/testV1997.mdb" imported.db 2>&1 |
    grep -q "has no table tblMotordata" || fail "installed import-catalogue did not read the Access file"
"$p/bin/airmotor" --version | grep -q '^airmotor [0-9]' || fail "airmotor --version"
man -l "$p/share/man/man1/airmotor-cli.1.gz" 2>/dev/null | grep -q "make-database" ||
    [ ! -x /usr/bin/man ] || fail "the man page does not list the commands"
# Every command's own help, usage line included, is in the man page.
for command in $("$p/bin/airmotor-cli" --help | sed -n '/^Commands:$/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p'); do
    usage=$("$p/bin/airmotor-cli" "$command" --help | head -1)
    gzip -dc "$p/share/man/man1/airmotor-cli.1.gz" | grep -qxF -e "$usage" ||
        fail "the man page lacks the help of $command"
done
# Nothing was written beside the installed data, nor into the folder it was started from.
[ -z "$(ls -A "$tmp/elsewhere" | grep -v -e catalogue.json -e drawing.png)" ] || fail "files left in the working folder"
[ ! -e "$p/share/airmotor/ZEVODIDA.DAT" ] || fail "the CLI wrote into the shared folder"

if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" >/dev/null || fail "metainfo is not valid"
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$p/share/applications/$id.desktop" || fail "desktop entry is not valid"
fi
echo "installed tree: ok"
