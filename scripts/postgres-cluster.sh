#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests, on loopback only.
#
#   postgres-cluster.sh start FOLDER   makes a cluster in FOLDER (which must not
#                                      exist yet), starts it on a free port and
#                                      prints the libpq connection text of its
#                                      superuser, e.g. "host=127.0.0.1
#                                      port=54321 user=mervalis dbname=postgres
#                                      sslrootcert=FOLDER/server.crt"
#   postgres-cluster.sh stop FOLDER    stops it and removes FOLDER
#   postgres-cluster.sh pause FOLDER   stops it and keeps FOLDER
#   postgres-cluster.sh resume FOLDER  starts a paused cluster again and
#                                      prints its connection text (the bench
#                                      keeps its ledgers so)
#
# initdb and pg_ctl refuse to run as root: as root they run as the system user
# "postgres" that Debian's postgresql package makes. The cluster trusts every
# loopback connection and keeps nothing across a crash of the machine (fsync
# off): it lives as long as one test run. It takes encrypted connections
# (ssl=on) with a self-signed certificate for 127.0.0.1 and localhost, made
# here with openssl, which the connection text names as the root certificate.
set -euo pipefail

action=${1:?start or stop}
folder=${2:?cluster folder}

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[[ -x "$bin/initdb" ]] || { echo "PostgreSQL's initdb was not found under /usr/lib/postgresql" >&2; exit 1; }

as_owner() {
    if [[ $(id -u) -eq 0 ]]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

case "$action" in
start)
    [[ ! -e "$folder" ]] || { echo "$folder exists already" >&2; exit 1; }
    mkdir -p "$folder"
    [[ $(id -u) -ne 0 ]] || chown postgres: "$folder"
    # A free port: the kernel hands one out for a moment.
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    # One line: pg_ctl hands these to a shell command line.
    settings="-c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200"
    as_owner "$bin/initdb" --pgdata="$folder/data" --username=mervalis --auth=trust --encoding=UTF8 \
        --locale=C.UTF-8 >"$folder/initdb.log" 2>&1 ||
        { cat "$folder/initdb.log" >&2; exit 1; }
    as_owner openssl req -x509 -newkey rsa:2048 -nodes -days 7 -subj "/CN=localhost" \
        -addext "subjectAltName=IP:127.0.0.1,DNS:localhost" \
        -keyout "$folder/server.key" -out "$folder/server.crt" >"$folder/openssl.log" 2>&1 ||
        { cat "$folder/openssl.log" >&2; exit 1; }
    as_owner chmod 600 "$folder/server.key"
    chmod 644 "$folder/server.crt"
    settings="$settings -c ssl=on -c ssl_cert_file='$folder/server.crt' -c ssl_key_file='$folder/server.key'"
    options="-c listen_addresses=127.0.0.1 -c port=$port -c unix_socket_directories='$folder' $settings"
    connection="host=127.0.0.1 port=$port user=mervalis dbname=postgres sslrootcert=$folder/server.crt"
    printf '%s\n' "$options" >"$folder/options"
    printf '%s\n' "$connection" >"$folder/connection"
    as_owner "$bin/pg_ctl" --pgdata="$folder/data" --log="$folder/server.log" --wait --timeout=60 \
        -o "$options" start >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
    echo "$connection"
    ;;
resume)
    [[ -f "$folder/options" ]] || { echo "$folder holds no paused cluster" >&2; exit 1; }
    as_owner "$bin/pg_ctl" --pgdata="$folder/data" --log="$folder/server.log" --wait --timeout=60 \
        -o "$(cat "$folder/options")" start >/dev/null || { cat "$folder/server.log" >&2; exit 1; }
    cat "$folder/connection"
    ;;
pause)
    as_owner "$bin/pg_ctl" --pgdata="$folder/data" --mode=fast --wait stop >/dev/null
    ;;
stop)
    [[ -d "$folder/data" ]] && as_owner "$bin/pg_ctl" --pgdata="$folder/data" --mode=immediate --wait stop >/dev/null 2>&1 || true
    rm -rf "$folder"
    ;;
*)
    echo "usage: $0 start|stop|pause|resume FOLDER" >&2
    exit 2
    ;;
esac
