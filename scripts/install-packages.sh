#!/usr/bin/env bash
# Installs the Debian packages Mervalis needs to build and run; with --tests
# also what only the tests use (a PostgreSQL server for the second engine's
# run and openssl for its certificate, pdftotext, Python, chattr).
# Idempotent: does nothing when everything is already there. Run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6
  unixodbc unixodbc-dev odbcinst libsqliteodbc odbc-postgresql
  libpq-dev
  libsqlite3-dev sqlite3
  libgtest-dev googletest
  xdg-utils fonts-dejavu-core
  fonts-liberation2
  desktop-file-utils appstream
)

test_packages=(
  postgresql openssl python3 e2fsprogs poppler-utils
)
[[ "${1:-}" == --tests ]] && packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Run this script as root (or with sudo) to install them." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
