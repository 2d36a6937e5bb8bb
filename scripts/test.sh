#!/usr/bin/env bash
# Sets up a fresh machine and runs every test: installs the packages, builds with warnings as
# errors, and runs ctest (which starts PostgreSQL and the HTTP servers it needs on loopback).
# With --sanitize the build uses the address and undefined-behaviour sanitizers.
set -eu
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build-ci
opts=(-DLINTARA_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    opts+=(-DLINTARA_SANITIZE=ON -DLINTARA_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=0
fi
cmake -S . -B "$build" "${opts[@]}"
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j2 --timeout 600
