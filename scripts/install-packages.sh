#!/usr/bin/env bash
# Installs the Debian packages Mervalis needs to build, run and test.
# Idempotent: does nothing when everything is already there. Run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6
  unixodbc unixodbc-dev odbcinst libsqliteodbc odbc-postgresql
  postgresql libpq-dev
  libsqlite3-dev sqlite3
  libgtest-dev googletest python3 e2fsprogs
  xdg-utils fonts-dejavu-core
  fonts-liberation2 poppler-utils
  desktop-file-utils appstream
)

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
