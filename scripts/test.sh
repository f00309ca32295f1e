#!/usr/bin/env bash
# The README's test command: installs what is missing, builds every preset and
# runs every test (native, native under sanitizers, Windows under Wine) inside
# a private network namespace with only loopback, then each fuzzer briefly.
# The i686 Windows build is always built; which Windows builds are tested
# follows scripts/wine-env.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
. scripts/wine-env
windows=$(kit_windows_presets)
echo "test: Windows builds tested here: $windows"
# shellcheck disable=SC2086 # one word per preset
scripts/build.sh native native-san $(echo windows $windows | tr ' ' '\n' | sort -u)
# the shipped package, and the package of each tested build, which the
# whole-program tests run from
# shellcheck disable=SC2086
for p in $(echo windows $windows | tr ' ' '\n' | sort -u); do scripts/package.sh "$p"; done
# shellcheck disable=SC2086
scripts/netns-run scripts/run-ctests native native-san $windows
# each fuzzer briefly; scripts/fuzz alone runs them at length
scripts/fuzz 10
