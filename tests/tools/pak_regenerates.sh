#!/usr/bin/env bash
# The committed pak/ files are exactly what meshgen and texgen make: a change
# to a generator comes with the regenerated files, and the files cannot drift
# from their source.
# Usage: pak_regenerates.sh path/to/meshgen path/to/texgen source-dir
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" "$work" >/dev/null
"$2" "$work" >/dev/null
for f in cube.dat torus.dat 3dfx.dat 3dfx.3df cube.3df torus.3df; do
  cmp "$work/$f" "$3/pak/$f" || { echo "FAILED: $f differs from a fresh run of its generator; regenerate pak/"; exit 1; }
done
echo "passed: pak/ is what meshgen and texgen make"
