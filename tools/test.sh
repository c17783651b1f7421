#!/usr/bin/env bash
# Builds Корвель and runs every test (CTest starts its own throwaway PostgreSQL cluster).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"
cd "$top/build"
ctest --output-on-failure -j"$(nproc)" "$@"
