#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Sets up, builds and runs the whole test suite. Usage: scripts/test.sh [default|asan|tsan]
set -euo pipefail
preset=${1:-default}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/bootstrap.sh" "$preset"
cd "$root"
ctest --preset "$preset" -j"$(nproc)"
