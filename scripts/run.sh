#!/usr/bin/env bash
# Installs what Mervalis needs, builds it, creates a single-machine
# installation on first use (program folder, database) and starts the
# program, which registers its ODBC data source "Mervalis" itself.
# MERVALIS_HOME moves the program folder; MERVALIS_SAMPLE_DATA=1 fills a new
# database with a sample ledger.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh"
"$top/scripts/build.sh"
setup_args=(--keep-existing)
[[ "${MERVALIS_SAMPLE_DATA:-0}" == 1 ]] && setup_args+=(--sample-data)
"$top/build/mervalis-setup" "${setup_args[@]}"
exec "$top/build/mervalis" "$@"
