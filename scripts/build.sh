#!/usr/bin/env bash
# Configures and builds the given presets (default: all three). Incremental.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-san windows)
for p in "${presets[@]}"; do
  [ -f "build/$p/CMakeCache.txt" ] || cmake --preset "$p" >/dev/null
  # the build's own status, not the filter's: a failed build must stop here
  status=0
  log=$(cmake --build --preset "$p" -- --no-print-directory -s) || status=$?
  grep -v -E '^(\[ *[0-9]+%\]|-- )' <<<"$log" || true
  [ "$status" -eq 0 ] || { echo "build of preset $p failed" >&2; exit 1; }
done
