#!/usr/bin/env bash
# Sets up a fresh machine and starts Lintara on the embedded default database: installs the
# packages, builds, puts a fresh House.HDB into the program folder when none is there, and
# starts the program from build/program.
set -eu
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINTARA_TESTS=OFF -DLINTARA_BENCH=OFF
cmake --build build -j"$(nproc)"
exec build/program/Lintara
