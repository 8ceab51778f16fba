#!/usr/bin/env bash
# Installs what Mervalis needs, builds it and runs every test through CTest.
# Each test works in its own temporary program folder, database, ODBC ini
# files and settings folder; nothing of the user's is touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh"
"$top/scripts/build.sh"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
