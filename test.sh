#!/usr/bin/env bash
# Runs every test: installs what is missing, builds with warnings as errors,
# runs the suite under CTest and checks the formatting.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps

cmake --preset ci
cmake --build --preset ci
ctest --preset ci --label-exclude soak

scripts/format --check
