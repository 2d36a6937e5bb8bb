#!/usr/bin/env bash
# Starts (or stops) a private PostgreSQL cluster on 127.0.0.1 for the tests. The server refuses
# to run as root, so it runs as the postgres user; connections from loopback are trusted.
set -eu
port=${LINTARA_PG_PORT:-55432}
dir=${LINTARA_PG_DIR:-/tmp/lintara-pg-$port}
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -n "$bindir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
as_pg() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "${1:-start}" in
start)
    if [ -f "$dir/postmaster.pid" ] && as_pg "$bindir/pg_ctl" -D "$dir" status >/dev/null 2>&1; then
        echo "PostgreSQL already running on port $port"
        exit 0
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    [ "$(id -u)" = 0 ] && chown postgres:postgres "$dir"
    as_pg "$bindir/initdb" -D "$dir" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
    as_pg "$bindir/pg_ctl" -D "$dir" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c max_connections=200" start >/dev/null
    echo "PostgreSQL started on 127.0.0.1:$port"
    ;;
stop)
    if [ -d "$dir" ]; then
        as_pg "$bindir/pg_ctl" -D "$dir" -m fast -w stop >/dev/null 2>&1 || true
        rm -rf "$dir"
    fi
    echo "PostgreSQL stopped"
    ;;
esac
