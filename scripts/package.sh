#!/usr/bin/env bash
# Builds the Debian package build-package/zembra_VERSION_amd64.deb (CPack's DEB
# generator, dependencies from the binaries through dpkg-shlibdeps) and checks
# it: desktop-file-validate, appstreamcli validate and lintian, with no errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DZEMBRA_TESTS=OFF
cmake --build "$build" -j "$(nproc)"
(cd "$build" && rm -f zembra_*.deb && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/zembra_*_amd64.deb)

desktop-file-validate data/org.zembra.Zembra.desktop
appstreamcli validate --no-net data/org.zembra.Zembra.metainfo.xml
lintian --fail-on error --info "$deb"
echo "$deb"
