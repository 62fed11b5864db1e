#!/usr/bin/env bash
# Installs what Zembra needs, builds it and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBRA_TESTS=OFF
cmake --build build
exec build/app/zembra "$@"
