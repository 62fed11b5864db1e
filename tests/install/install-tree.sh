#!/usr/bin/env bash
# install-tree.sh BUILD SOURCE BINDIR DATADIR MANDIR [AVI_WRITER]
# Installs BUILD into a temporary prefix and checks what a desktop needs of it.
set -euo pipefail
build=$1 source=$2 bindir=$3 datadir=$4 mandir=$5 avi_writer=${6:-}
prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null

id=org.zembra.Zembra
expected=(
  "$bindir/zembra"
  "$datadir/applications/$id.desktop"
  "$datadir/metainfo/$id.metainfo.xml"
  "$datadir/mime/packages/$id.xml"
  "$datadir/icons/hicolor/scalable/apps/$id.svg"
  "$mandir/man1/zembra.1.gz"
  "$datadir/doc/zembra/copyright"
  "$datadir/doc/zembra/changelog.gz"
  "$datadir/zembra/guide/index.html"
)
for size in 16 22 24 32 48 64 128 256; do expected+=("$datadir/icons/hicolor/${size}x${size}/apps/$id.png"); done
[ -n "$avi_writer" ] && expected+=("$avi_writer")
for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || fail "not installed: $f"; done
# Every picture the guide shows is installed with it.
for img in $(grep -o 'src="[^"]*"' "$prefix/$datadir/zembra/guide/index.html" | cut -d'"' -f2); do
  [ -f "$prefix/$datadir/zembra/guide/$img" ] || fail "the guide shows a missing picture: $img"
done
for size in 16 256; do
  file "$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "$size x $size" || fail "icon size $size"
done

# The program finds its private libraries relative to itself, whatever the prefix.
readelf -d "$prefix/$bindir/zembra" | grep -E 'R(UN)?PATH' | grep -qF '[$ORIGIN/' || fail "no relative RUNPATH"
[ -z "$avi_writer" ] || ! ldd "$prefix/$avi_writer" | grep -q "not found" || fail "the AVI writer misses libraries"

desktop-file-validate "$prefix/$datadir/applications/$id.desktop"
appstreamcli validate --no-net --explain "$prefix/$datadir/metainfo/$id.metainfo.xml" > "$work/appstream.txt" \
  || { cat "$work/appstream.txt"; fail "appstream metainfo"; }
man --warnings -l "$prefix/$mandir/man1/zembra.1.gz" > /dev/null 2> "$work/man.txt"
[ ! -s "$work/man.txt" ] || { cat "$work/man.txt"; fail "manual page warnings"; }

# The installed program answers and works headless.
zembra="$prefix/$bindir/zembra"
version=$("$zembra" --version)
[[ $version =~ ^zembra\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version said: $version"
"$zembra" gif info "$source/tests/data/corpus/gif/pygif_max-codes.gif" | head -1 | grep -q '^version=89a ' || fail "gif info"

# A project the installed program saves is application/x-zembra, by name and
# by its first bytes alone.
cp "$source/tests/data/projects/rectangle.zembra" "$work/" && mkdir "$work/rectangleFiles"
"$zembra" render "$work/rectangle.zembra" --save-project "$work/saved.zembra" || fail "render --save-project"
cp "$work/saved.zembra" "$work/no-extension"
# The installed program finds its AVI writer without any registration.
if [ -n "$avi_writer" ]; then
  mkdir "$work/config"
  XDG_CONFIG_HOME="$work/config" "$zembra" render "$work/rectangle.zembra" --avi "$work/out.avi" || fail "render --avi"
  [ "$(head -c 4 "$work/out.avi")" = RIFF ] || fail "render --avi wrote no AVI"
fi
update-mime-database "$prefix/$datadir/mime" 2> /dev/null
for f in saved.zembra no-extension; do
  type=$(XDG_DATA_DIRS="$prefix/$datadir:/usr/share" XDG_CURRENT_DESKTOP= xdg-mime query filetype "$work/$f")
  [ "$type" = application/x-zembra ] || fail "xdg-mime says $type for $f"
done
echo "install tree: ok"
