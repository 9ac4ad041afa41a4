#!/usr/bin/env bash
# A throwaway PostgreSQL cluster on 127.0.0.1 for the tests.
#
#   pg-test-cluster.sh start DIR   makes a cluster in DIR when it has none, starts it on a free
#                                  port (the same port on every later start) and prints its URL
#   pg-test-cluster.sh stop DIR    stops it (fast shutdown: open sessions are ended)
#
# The cluster trusts every local connection except the role qor_password_check
# (password "qor-check"), which must give its password: the tests use it to see
# a wrong password refused. It has the database qor_test. As root the server
# runs as the postgres user, otherwise as the current user. Durability is
# switched off: the cluster lives for one test run.
set -euo pipefail

command=${1:-}
dir=${2:-}
if [ -z "$command" ] || [ -z "$dir" ]; then
  echo "usage: $0 start|stop DIR" >&2
  exit 2
fi

pg_bin=${PG_BIN:-}
if [ -z "$pg_bin" ]; then
  pg_bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
fi
if [ -z "$pg_bin" ] || [ ! -x "$pg_bin/pg_ctl" ]; then
  echo "PostgreSQL server programs not found (set PG_BIN to the folder of initdb and pg_ctl)" >&2
  exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  as_owner() { runuser -u postgres -- "$@"; }
else
  owner=$(id -un)
  as_owner() { "$@"; }
fi

data="$dir/data"
port_file="$dir/port"

port_is_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

pick_port() {
  local port
  for _ in $(seq 1 50); do
    port=$((20000 + RANDOM % 30000))
    if port_is_free "$port"; then
      echo "$port"
      return 0
    fi
  done
  echo "no free port found on 127.0.0.1" >&2
  return 1
}

init_cluster() {
  mkdir -p "$dir"
  chmod 755 "$dir"
  install -d -o "$owner" -m 700 "$data"
  as_owner "$pg_bin/initdb" -D "$data" -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || {
    cat "$dir/initdb.log" >&2
    return 1
  }
  # The first matching line wins: over TCP the owner alone gets in without a
  # password, as the test programs connect; every other role gives its own,
  # as the companies' users do on a real server.
  local hba="$data/pg_hba.conf"
  { echo "host all $owner 127.0.0.1/32 trust"; echo "host all all 127.0.0.1/32 scram-sha-256"; cat "$hba"; } \
    >"$dir/pg_hba.conf"
  cat "$dir/pg_hba.conf" >"$hba"
  rm -f "$dir/pg_hba.conf"
}

start_server() {
  local port=$1
  as_owner "$pg_bin/pg_ctl" -D "$data" -l "$data/server.log" -w -t 60 \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $data -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null
}

first_setup() {
  local port=$1
  "$pg_bin/psql" -q -X -h 127.0.0.1 -p "$port" -U "$owner" -d postgres -v ON_ERROR_STOP=1 \
    -c "CREATE DATABASE qor_test" \
    -c "CREATE ROLE qor_password_check LOGIN PASSWORD 'qor-check'" >/dev/null
  # Test companies are schemas of qor_test, made and dropped concurrently: the
  # trigram extension lives in a schema of its own that no test drops. The
  # database turns standard_conforming_strings off, as a careless site might:
  # every session the program opens must turn it on again.
  "$pg_bin/psql" -q -X -h 127.0.0.1 -p "$port" -U "$owner" -d qor_test -v ON_ERROR_STOP=1 \
    -c "CREATE SCHEMA qor_extensions" \
    -c "CREATE EXTENSION pg_trgm SCHEMA qor_extensions" \
    -c "ALTER DATABASE qor_test SET standard_conforming_strings = off" >/dev/null
}

case "$command" in
  start)
    fresh=0
    if [ ! -f "$data/PG_VERSION" ]; then
      init_cluster
      fresh=1
    fi
    if [ -f "$port_file" ]; then
      port=$(cat "$port_file")
      start_server "$port" || { cat "$data/server.log" >&2; exit 1; }
    else
      started=0
      for _ in 1 2 3; do
        port=$(pick_port)
        if start_server "$port"; then
          started=1
          break
        fi
      done
      [ "$started" -eq 1 ] || { cat "$data/server.log" >&2; exit 1; }
      echo "$port" >"$port_file"
    fi
    [ "$fresh" -eq 0 ] || first_setup "$port"
    echo "postgresql://$owner@127.0.0.1:$port/qor_test"
    ;;
  stop)
    if [ -f "$data/postmaster.pid" ]; then
      as_owner "$pg_bin/pg_ctl" -D "$data" -m fast -w -t 60 stop >/dev/null
    fi
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
