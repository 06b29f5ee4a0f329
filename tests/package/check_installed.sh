#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The ksx-module developers
#
# Checks an installed tree and runs it: every file the module opens at start-up is there, the
# programs print their version, and the installed module, headless, paints the panel of the
# installed ksx-sim and ends cleanly.
# Usage: check_installed.sh ROOT [WORK]   ROOT: / for the package, or an install prefix
set -euo pipefail
root=${1%/}
work=${2:-$(mktemp -d "${TMPDIR:-/tmp}/ksx-installed.XXXXXX")}
module=$root/opt/ksx-module
# The module's single-instance socket lives in its runtime folder: a short one, since a socket
# path may not be longer than 107 bytes however deep the build folder is.
runtime=$(mktemp -d "/tmp/ksx-rt.XXXXXX")
trap 'rm -rf "$runtime"' EXIT
fail() { echo "check_installed: $*" >&2; exit 1; }

for file in "$module/ksx-module" "$root/usr/bin/ksx-sim" "$root/usr/bin/ksx-snmp"; do
  [ -x "$file" ] || fail "$file is missing or not executable"
done
for page in ksx-module ksx-sim ksx-snmp; do
  file=$root/usr/share/man/man1/$page.1.gz
  [ -f "$file" ] || fail "manual page $page(1) is missing"
  # Every warning groff (and mandoc, where installed) knows of is a failure.
  lint=$(zcat "$file" | LC_ALL=C.UTF-8 groff -ww -man -z 2>&1)
  if command -v mandoc >/dev/null; then lint+=$(zcat "$file" | mandoc -T lint 2>&1); fi
  [ -z "$lint" ] || fail "$page(1): $lint"
done
[ -f "$root/usr/share/doc/ksx-module/copyright" ] || fail "copyright file is missing"
# Each User.ini names a panel description; each description names its pictures, drawn twice.
for ini in "$module/User.ini" "$module"/userini/*/User.ini; do
  xml=$module/$(sed -n 's/^XMLName=//p' "$ini" | tr -d '\r')
  [ -f "$xml" ] || fail "$ini names $xml, which is missing"
  for picture in $(grep -o 'BMP[A-Z0-9]*="[^"]*"' "$xml" | cut -d'"' -f2 | sort -u); do
    for file in "$(dirname "$xml")/$picture" "$(dirname "$xml")/${picture%.png}@2x.png"; do
      [ -f "$file" ] || fail "$xml names $file, which is missing"
    done
  done
done

for program in "$module/ksx-module" "$root/usr/bin/ksx-sim" "$root/usr/bin/ksx-snmp"; do
  name=$(basename "$program")
  [[ "$("$program" --version)" =~ ^$name\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$name --version"
done

"$root/usr/bin/ksx-sim" --listen udp:127.0.0.1:0 --state-dir "$work" --ready-file "$work/ready" \
  --request-log "$work/requests.json" >"$work/sim.log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null; wait $sim 2>/dev/null || true; rm -rf "$runtime"' EXIT
for _ in $(seq 1 100); do
  [ -f "$work/ready" ] || sleep 0.1
done
[ -f "$work/ready" ] || fail "ksx-sim did not start: $(cat "$work/sim.log")"
port=$(head -1 "$work/ready" | sed 's/.*://')

status=0
QT_QPA_PLATFORM=offscreen KSX_TRACE=1 KSX_MESSAGES=stderr KSX_TEST_EXIT_AFTER_MS=3000 \
  KSX_SNAPSHOT="$work/panel.png" XDG_RUNTIME_DIR="$runtime" \
  "$module/ksx-module" /Ninstalled /I127.0.0.1 /Rguests /Wkeepers /Etrue /V1 "/P$port" \
  2>"$work/module.log" || status=$?
[ "$status" -eq 0 ] || fail "the module ended with $status: $(cat "$work/module.log")"
grep -q '^Module window: panel painted$' "$work/module.log" || fail "no panel painted"
! grep -qi 'error\|could not' "$work/module.log" || fail "$(cat "$work/module.log")"
[ -s "$work/panel.png" ] || fail "no picture of the window"
[ -s "$work/requests.json" ] || fail "the module sent nothing to ksx-sim"
echo "check_installed: ${root:-/} runs"
