#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Builds the Debian package (CPack) into build/package/ and prints its path.
# Usage: scripts/package.sh
# The package holds what `cmake --install build/default` installs: the module under
# /opt/ksx-module, ksx-sim and ksx-snmp in /usr/bin, the manual pages and the copyright file.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Only the package's path goes to standard output.
"$root/scripts/bootstrap.sh" default --configure-only --packaging >&2
cd "$root"
cmake --build --preset default -j"$(nproc)" \
  --target ksx-module ksx-sim ksx-snmp ksx_panel_files ksx_package_docs >&2
rm -rf build/package
cpack --config build/default/CPackConfig.cmake -G DEB -B build/package >build/package.log 2>&1 ||
  { cat build/package.log >&2; exit 1; }
rm -rf build/package/_CPack_Packages
ls "$root"/build/package/*.deb
