#!/usr/bin/env bash
# Sets up a fresh machine and runs every test: installs the packages, builds with warnings as
# errors, and runs ctest (which starts PostgreSQL and the HTTP servers it needs on loopback).
#   bash scripts/test.sh             the normal build (build-ci/) and its tests
#   bash scripts/test.sh --sanitize  the address/undefined-behaviour sanitizer build (build-asan/)
#   bash scripts/test.sh --ci        what CI runs: the formatting and schema-script checks, then
#                                    both builds with their tests, one after the other
set -eu
cd "$(dirname "$0")/.."
mode=${1:-}
bash scripts/install-deps.sh

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build_and_test() {
    local build=$1
    shift
    local start=$SECONDS
    cmake -S . -B "$build" -DLINTARA_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
    cmake --build "$build" -j"$(nproc)"
    echo "== $build: built in $((SECONDS - start)) s"
    start=$SECONDS
    (cd "$build" && ctest --output-on-failure -j2 --timeout 900)
    echo "== $build: tests passed in $((SECONDS - start)) s"
}

normal() { build_and_test build-ci; }
sanitized() {
    # Leak reports would name Qt's and fontconfig's process-lifetime caches, not ours.
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        build_and_test build-asan -DLINTARA_SANITIZE=ON -DLINTARA_BENCH=OFF
}

case "$mode" in
--sanitize) sanitized ;;
--ci)
    start=$SECONDS
    bash scripts/check-format.sh
    bash scripts/check-db-scripts.sh
    normal
    sanitized
    echo "== CI passed in $((SECONDS - start)) s"
    ;;
"") normal ;;
*)
    echo "usage: bash scripts/test.sh [--sanitize | --ci]" >&2
    exit 2
    ;;
esac
