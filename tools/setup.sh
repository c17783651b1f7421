#!/usr/bin/env bash
# Installs what is missing (Debian packages) and builds Корвель into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

packages=(build-essential cmake qt6-base-dev libqt6sql6-psql libpq-dev postgresql
          postgresql-client libkainjow-mustache-dev poppler-utils xvfb imagemagick xauth)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo=""
    [ "$(id -u)" = 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$top/build" -j"$(nproc)"
