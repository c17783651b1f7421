#!/usr/bin/env bash
# End-to-end check of korvel-db: a demo cluster where DEMO signs in, reads and writes every
# table and takes sequence values; an outsider is refused; a second init and a foreign
# cluster change nothing.
set -uo pipefail
korvel_db=$1
tmp=$(mktemp -d /tmp/kvdb-test.XXXXXX)
chmod 755 "$tmp"
cluster=$tmp/c
failures=0

cleanup() {
    "$korvel_db" stop "$cluster" --immediate >/dev/null 2>&1
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

as_super() {
    if [ "$(id -u)" = 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
su_name() { if [ "$(id -u)" = 0 ]; then echo postgres; else id -un; fi; }
psql_as() { # user password sql...
    local user=$1 password=$2
    shift 2
    PGPASSWORD=$password psql -X -q -At -v ON_ERROR_STOP=1 -h "$cluster" -U "$user" -d korvel "$@"
}

start=$(date +%s)
"$korvel_db" init "$cluster" --connections "$tmp/CONNECTIONS" || { fail "init"; exit 1; }
echo "init took $(( $(date +%s) - start )) s"

[ "$(head -c 2 "$tmp/CONNECTIONS/DEMO.udl" | od -An -tx1 | tr -d ' ')" = fffe ] \
    && pass "DEMO.udl is UTF-16LE with a byte-order mark" || fail "DEMO.udl encoding"
iconv -f UTF-16LE -t UTF-8 "$tmp/CONNECTIONS/DEMO.udl" | grep -q "Provider=PostgreSQL;Data Source=$cluster;Initial Catalog=korvel" \
    && pass "DEMO.udl names the cluster" || fail "DEMO.udl content"

# Every table and view of the schema is readable by DEMO.
tables=$(psql_as DEMO vyrt -c "select table_name from information_schema.tables where table_schema='zolt' order by 1")
[ -n "$tables" ] || fail "no tables visible to DEMO"
for t in $tables; do
    psql_as DEMO vyrt -c "select * from zolt.$t limit 1" >/dev/null || fail "DEMO cannot read $t"
done
pass "DEMO reads $(echo "$tables" | wc -l) tables and views"

# Writes and sequences.
seqs=$(psql_as DEMO vyrt -c "select sequence_name from information_schema.sequences where sequence_schema='zolt'")
for s in $seqs; do
    psql_as DEMO vyrt -c "select nextval('zolt.$s')" >/dev/null || fail "DEMO cannot take $s"
done
pass "DEMO takes values of $(echo "$seqs" | wc -l) sequences"
psql_as DEMO vyrt -c "update zolt.app_user set login_name = login_name where login_name = 'DEMO'" \
    && pass "DEMO updates a row" || fail "DEMO cannot update"
[ "$(psql_as DEMO vyrt -c "select count(*) from zolt.app_user where login_name='DEMO'")" -ge 1 ] \
    && pass "DEMO has its application user" || fail "no APP_USER row for DEMO"

# Wrong password and an outsider.
psql_as DEMO wrong -c "select 1" >/dev/null 2>&1 && fail "a wrong password was accepted" || pass "wrong password refused"
as_super psql -X -q -h "$cluster" -U "$(su_name)" -d postgres -c "CREATE ROLE outsider LOGIN PASSWORD 'x'"
psql_as outsider x -c "select * from zolt.app_user" >/dev/null 2>&1 \
    && fail "a role outside ddl reads the schema" || pass "a role outside ddl is refused"

# A second init leaves the data alone.
before=$(psql_as DEMO vyrt -c "select count(*) from zolt.app_user")
again=$("$korvel_db" init "$cluster")
echo "$again" | grep -q "already exists" && pass "second init says it exists" || fail "second init"
[ "$(psql_as DEMO vyrt -c "select count(*) from zolt.app_user")" = "$before" ] \
    && pass "second init kept the data" || fail "second init changed the data"

# A cluster korvel-db did not create is refused and kept.
foreign=$tmp/foreign
mkdir -p "$foreign/data"
echo 15 >"$foreign/data/PG_VERSION"
out=$("$korvel_db" init "$foreign" 2>&1) && fail "init took over a foreign cluster" || pass "foreign cluster refused: $out"
[ -f "$foreign/data/PG_VERSION" ] && pass "foreign cluster untouched" || fail "foreign cluster touched"

# install into an existing server, as the owner, without demo data.
as_super psql -X -q -h "$cluster" -U "$(su_name)" -d postgres -c 'CREATE DATABASE shared OWNER "ZOLT"'
PGPASSWORD=tmvk "$korvel_db" install -h "$cluster" -U ZOLT -d shared >/dev/null \
    && pass "install into an existing server" || fail "install"
[ "$(PGPASSWORD=vyrt psql -X -At -h "$cluster" -U DEMO -d shared -c "select db_version from zolt.db_version where module_id = 2")" = 200712140000 ] \
    && pass "installed schema carries the version stamp" || fail "installed schema stamp"
[ "$(PGPASSWORD=vyrt psql -X -At -h "$cluster" -U DEMO -d shared -c "select count(*) from zolt.app_user")" = 0 ] \
    && pass "install adds no demo data" || fail "install added demo data"

"$korvel_db" stop "$cluster" >/dev/null
"$korvel_db" status "$cluster" >/dev/null
[ $? = 3 ] && pass "status reports a stopped server" || fail "status after stop"
"$korvel_db" start "$cluster" >/dev/null && "$korvel_db" status "$cluster" >/dev/null \
    && pass "start again" || fail "start again"

[ $failures = 0 ] || { echo "$failures failure(s)"; exit 1; }
