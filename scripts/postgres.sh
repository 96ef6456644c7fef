#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests, from Debian's packages.
#
#   scripts/postgres.sh start DIR [TOOL]   initdb in DIR, start the server on a
#                                          socket in DIR, create the roles and
#                                          databases, print the variables below
#                                          as `export` lines (eval them); with
#                                          TOOL (a tarnel-report binary) also
#                                          load the tests' demo network (60
#                                          cells, seed 7) into the database.
#   scripts/postgres.sh restart DIR        restart the server (fast: it ends every
#                                          connection), keeping its data.
#   scripts/postgres.sh stop DIR           stop the server and remove DIR.
#
# Variables: TARNEL_PG_URI (the report role on database "tarnel": reads the
# network, creates temporary tables, nothing else), TARNEL_PG_OWNER_URI (the
# network's owner on "tarnel"), TARNEL_PG_SCRATCH_URI (the owner on
# "tarnel_scratch", for tests that load networks of their own).
# Run as root, the server runs as the user postgres (created when missing).
set -euo pipefail

usage() { echo "usage: $0 start DIR [TOOL] | restart DIR | stop DIR" >&2; exit 2; }
[ $# -ge 2 ] || usage
command=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -n "$bindir" ] || { echo "postgres.sh: no PostgreSQL server installed (package postgresql)" >&2; exit 1; }

# Runs a command as the server's user.
as_server() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

start() {
  local tool=${1:-}
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  if [ "$(id -u)" -eq 0 ]; then
    id postgres >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin postgres
    chown postgres "$dir"
  fi
  local password
  password=$(od -An -tx1 -N12 /dev/urandom | tr -d ' \n')
  umask 077
  echo "$password" > "$dir/admin-password"
  [ "$(id -u)" -eq 0 ] && chown postgres "$dir/admin-password"
  as_server "$bindir/initdb" -D "$dir/data" -U tarnel_admin --pwfile="$dir/admin-password" \
    --auth=scram-sha-256 --locale=C --encoding=UTF8 >"$dir/initdb.log" 2>&1 ||
    { cat "$dir/initdb.log" >&2; exit 1; }
  cat >>"$dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$dir'
port = 5432
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 40
EOF
  as_server "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 start >/dev/null ||
    { cat "$dir/server.log" >&2; exit 1; }

  local owner reader
  owner=$(od -An -tx1 -N12 /dev/urandom | tr -d ' \n')
  reader=$(od -An -tx1 -N12 /dev/urandom | tr -d ' \n')
  PGPASSWORD=$password "$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -U tarnel_admin \
    -d postgres >/dev/null <<EOF
CREATE ROLE tarnel_owner LOGIN PASSWORD '$owner';
CREATE ROLE tarnel_report LOGIN PASSWORD '$reader';
CREATE DATABASE tarnel OWNER tarnel_owner;
CREATE DATABASE tarnel_scratch OWNER tarnel_owner;
EOF
  # The report role as docs/database.md sets it up.
  for db in tarnel tarnel_scratch; do
    PGPASSWORD=$owner "$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -U tarnel_owner \
      -d "$db" >/dev/null <<EOF
GRANT CONNECT, TEMPORARY ON DATABASE $db TO tarnel_report;
GRANT USAGE ON SCHEMA public TO tarnel_report;
ALTER DEFAULT PRIVILEGES IN SCHEMA public GRANT SELECT ON TABLES TO tarnel_report;
EOF
  done
  local socket
  socket=$(printf '%s' "$dir" | sed 's|/|%2F|g')
  if [ -n "$tool" ]; then
    "$tool" demo-db "postgresql://tarnel_owner:$owner@$socket/tarnel" --cells 60 --seed 7 >/dev/null
  fi
  echo "export TARNEL_PG_URI='postgresql://tarnel_report:$reader@$socket/tarnel'"
  echo "export TARNEL_PG_OWNER_URI='postgresql://tarnel_owner:$owner@$socket/tarnel'"
  echo "export TARNEL_PG_SCRATCH_URI='postgresql://tarnel_owner:$owner@$socket/tarnel_scratch'"
}

restart() {
  as_server "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -m fast -w -t 60 restart >/dev/null
}

stop() {
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_server "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}

case $command in
  start) start "${3:-}" ;;
  restart) restart ;;
  stop) stop ;;
  *) usage ;;
esac
