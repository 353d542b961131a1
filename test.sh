#!/usr/bin/env bash
# Runs every test: installs what is missing, builds with warnings as errors,
# runs the suite under CTest and checks the formatting; then the core tests
# again under AddressSanitizer and UBSan, and each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")"

step() { printf '\n==> %s\n' "$*"; }

step "dependencies"
scripts/install-deps

step "build and test (preset ci)"
cmake --preset ci
cmake --build --preset ci
ctest --preset ci --label-exclude soak

step "formatting"
scripts/format --check

# Only the unit tests' executables are built: they cover the core, and the
# window and the end-to-end tests would double the time. The preset keeps the
# window and the network on for the whole suite (ctest --preset asan).
step "unit tests under AddressSanitizer and UBSan (preset asan)"
cmake --preset asan >/dev/null
mapfile -t unitTests < <(ctest --preset asan -N -L unit 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: //p')
cmake --build --preset asan --target "${unitTests[@]}"
ctest --preset asan -L unit

step "fuzz targets, 20 seconds each (preset fuzz)"
scripts/fuzz 20
