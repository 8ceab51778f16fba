#!/usr/bin/env bash
# Installs the Debian packages Mervalis needs to build and run; with --tests
# also what only the tests use (a PostgreSQL server for the second engine's
# run and openssl for its certificate, pdftotext and pdfdetach, Python,
# chattr, the English and German locales the number tests run under, and
# xmllint, Saxon-HE and a Java runtime, with which the e-invoice tests check
# invoices against EN 16931). Idempotent: does nothing when everything is
# already there. Run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libqt6svg6
  unixodbc unixodbc-dev odbcinst libsqliteodbc odbc-postgresql
  libpq-dev
  libsqlite3-dev sqlite3
  libqpdf-dev
  libgtest-dev googletest
  xdg-utils fonts-dejavu-core
  fonts-liberation2
  desktop-file-utils appstream
)

test_packages=(
  postgresql openssl python3 e2fsprogs poppler-utils locales
  libxml2-utils libsaxonhe-java default-jre-headless
)
# The locales the number tests run under, made with the locales package.
test_locales=()
[[ "${1:-}" == --tests ]] && packages+=("${test_packages[@]}") && test_locales=(en_US de_DE)

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

for l in "${test_locales[@]}"; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" && continue
  if [[ $(id -u) -ne 0 ]]; then
    echo "The locale $l.UTF-8 is missing; run this script as root (or with sudo) to make it." >&2
    exit 1
  fi
  localedef -i "$l" -c -f UTF-8 -A /usr/share/locale/locale.alias "$l.UTF-8"
done
