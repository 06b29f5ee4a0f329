#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Installs what the project needs on Debian 12 (idempotent) and builds one preset.
# Usage: scripts/bootstrap.sh [default|asan|tsan|fuzz] [--configure-only] [--packaging]
#   --configure-only  installs and configures, and leaves the building to the caller (who may
#                     build only some targets).
#   --packaging       also installs what building and checking the Debian package needs.
set -euo pipefail
preset=${1:-default}
build=true
packaging=false
for option in "${@:2}"; do
  case "$option" in
    --configure-only) build=false ;;
    --packaging) packaging=true ;;
    *) echo "bootstrap: unknown option '$option'" >&2; exit 2 ;;
  esac
done
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(
  g++ cmake ninja-build pkg-config git
  qt6-base-dev libqt6opengl6-dev libsnmp-dev libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  snmpd snmp fonts-dejavu-core dbus-daemon xvfb xauth
)
# The fuzz targets: clang 14 and its runtime libraries (libFuzzer, the sanitizers).
if [ "$preset" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# The package: dpkg-shlibdeps (dpkg-dev) and file for its dependencies, lintian to check it,
# groff and mandoc to check the manual pages.
if $packaging; then
  packages+=(dpkg-dev file lintian groff-base mandoc)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "bootstrap: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cd "$root"
cmake --preset "$preset" >/dev/null
if $build; then
  cmake --build --preset "$preset" -j"$(nproc)"
fi
