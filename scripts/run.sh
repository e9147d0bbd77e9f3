#!/usr/bin/env bash
# The main job: set up, build, and fly the bench host's default flight.
# Arguments go to quorvel-sim (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
build/release/sim/quorvel-sim --module build/release/QuorvelMFD.so "$@"
