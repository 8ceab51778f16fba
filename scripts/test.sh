#!/usr/bin/env bash
# Installs what Mervalis needs, builds it and runs every test through CTest,
# twice: on SQLite, then on a throwaway PostgreSQL cluster started here (on
# loopback, in a temporary folder, stopped at the end whatever happens), where
# every test that touches data gets a PostgreSQL database of its own.
# Each test works in its own temporary program folder, database, ODBC ini
# files and settings folder; nothing of the user's is touched.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-packages.sh" --tests
"$top/scripts/build.sh"
cd "$top/build"

status=0
# The counts the concurrency, crash, bad-input and optimistic-write tests print.
counts() {
    grep -h -E '^(Concurrency|Crash safety|Bad input|Optimistic writes) on ' Testing/Temporary/LastTest.log || true
}
echo "=== Every test on SQLite"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300 || status=1
counts

# The cluster's folder must be reachable by the user that runs PostgreSQL.
cluster_root=$(mktemp -d "${TMPDIR:-/tmp}/mervalis-postgres.XXXXXX")
chmod 755 "$cluster_root"
stop_cluster() { bash "$top/scripts/postgres-cluster.sh" stop "$cluster_root/cluster"; rm -rf "$cluster_root"; }
trap stop_cluster EXIT
echo "=== Every test on PostgreSQL"
connection=$(bash "$top/scripts/postgres-cluster.sh" start "$cluster_root/cluster")
MERVALIS_TEST_POSTGRES="$connection" QT_QPA_PLATFORM=offscreen \
    ctest --output-on-failure -j"$(nproc)" --timeout 300 || status=1
counts
exit $status
