#!/usr/bin/env bash
# Builds Корвель, creates and starts the local demonstration database unless it exists,
# and starts the program with the demonstration connection (DEMO / vyrt).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"

stage=$top/build/stage
if [ "$(id -u)" = 0 ]; then
    demo_dir=${KORVEL_DEMO_DIR:-/var/lib/korvel/demo-db}
else
    demo_dir=${KORVEL_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/korvel/demo-db}
fi
"$stage/bin/korvel-db" init "$demo_dir" --connections "$stage/CONNECTIONS"
exec "$stage/bin/korvel" "$@"
