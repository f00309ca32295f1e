#!/usr/bin/env bash
# The README's test command: installs what is missing, builds every preset and
# runs every test (native, native under sanitizers, Windows under Wine) inside
# a private network namespace with only loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh native native-san windows
scripts/netns-run scripts/wine-session scripts/run-ctests
