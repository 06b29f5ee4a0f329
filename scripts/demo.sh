#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Sets up, builds, and runs the module against a simulated switch.
# Usage: scripts/demo.sh [MODEL]     MODEL: KSX-7700-20, -28, -28P, -48 or -52 (default -52)
# Without a display (no DISPLAY or WAYLAND_DISPLAY) the module runs headless for a few
# seconds and saves a picture of its live panel, whose path is printed.
set -euo pipefail
model=${1:-KSX-7700-52}
case "$model" in
  KSX-7700-20 | KSX-7700-28 | KSX-7700-28P | KSX-7700-48 | KSX-7700-52) ;;
  *) echo "demo: unknown model '$model' (KSX-7700-20, -28, -28P, -48 or -52)" >&2; exit 2 ;;
esac
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/bootstrap.sh" default
bin="$root/build/default/bin"
work=$(mktemp -d "${TMPDIR:-/tmp}/ksx-demo.XXXXXX")
port=${KSX_DEMO_PORT:-16100}

cleanup() {
  [ -n "${sim_pid:-}" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  true
}
trap cleanup EXIT

ini="$root/resources/userini/$model/User.ini"
giga=()
grep -qi '^IsAllGiga=y' "$ini" 2>/dev/null && giga=(--all-giga)
"$bin/ksx-sim" --model "$model" "${giga[@]}" --animate --listen "udp:127.0.0.1:$port" \
  --state-dir "$work" --ready-file "$work/ready" >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 1 200); do
  [ -f "$work/ready" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { cat "$work/sim.log" >&2; exit 1; }
  sleep 0.05
done
[ -f "$work/ready" ] || { echo "demo: ksx-sim did not start" >&2; exit 1; }
echo "demo: ksx-sim ($model) answers on udp:127.0.0.1:$port (read community guests, write keepers)"

[ -f "$ini" ] && export KSX_USER_INI="$ini"
args=(/Ndemo /I127.0.0.1 /Rguests /Wkeepers /Etrue /V1 "/P$port")

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  snapshot="$root/build/default/demo-$model.png"
  echo "demo: no display; running the module headless for a few seconds"
  QT_QPA_PLATFORM=offscreen KSX_MESSAGES=stderr KSX_SNAPSHOT="$snapshot" \
    KSX_TEST_EXIT_AFTER_MS=${KSX_DEMO_MS:-4000} "$bin/ksx-module" "${args[@]}"
  if [ -f "$snapshot" ]; then
    echo "demo: picture of the live panel: $snapshot"
  fi
else
  "$bin/ksx-module" "${args[@]}"
fi
