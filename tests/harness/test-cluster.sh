#!/usr/bin/env bash
# Starts or removes the throwaway PostgreSQL cluster of one test run.
#   test-cluster.sh start DIR   a fresh cluster in DIR with the schema template korvel_template
#   test-cluster.sh stop DIR    stops the server and removes DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
korvel_db=$here/../../tools/korvel-db
action=$1
dir=$2

remove() {
    if [ -f "$dir/korvel-db.conf" ]; then
        "$korvel_db" stop "$dir" --immediate >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
}

case $action in
    start)
        remove
        "$korvel_db" init "$dir" --no-demo --fast --database korvel_template
        ;;
    stop)
        remove
        ;;
esac
