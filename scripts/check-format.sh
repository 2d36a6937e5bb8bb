#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what clang-format (.clang-format) makes of
# it, naming each such file. `bash scripts/check-format.sh --fix` formats them instead.
set -eu
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
bad=0
for f in "${files[@]}"; do
    if ! clang-format "$f" | cmp -s - "$f"; then
        echo "not formatted: $f (bash scripts/check-format.sh --fix)"
        bad=1
    fi
done
exit $bad
