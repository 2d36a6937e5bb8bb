#!/usr/bin/env bash
# Fails when db/*.sql differ from what db/generate-scripts.py writes (edit the generator, not the
# scripts), naming each file and showing the difference.
set -eu
cd "$(dirname "$0")/.."
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
python3 db/generate-scripts.py "$fresh"
bad=0
for f in "$fresh"/*.sql; do
    name=$(basename "$f")
    if ! diff -u "db/$name" "$f" >"$fresh/$name.diff"; then
        echo "db/$name differs from db/generate-scripts.py:"
        head -40 "$fresh/$name.diff"
        bad=1
    fi
done
for f in db/*.sql; do
    [ -f "$fresh/$(basename "$f")" ] || { echo "$f is not written by db/generate-scripts.py"; bad=1; }
done
exit $bad
