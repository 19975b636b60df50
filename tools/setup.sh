#!/usr/bin/env bash
# Installs the dependencies, builds veltutil (Release) and runs the main job: the veltutil tool
# on the sample documents.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
build/apps/veltutil --help
for sample in samples/*.props; do
  [ -e "$sample" ] || continue
  echo "== $sample"
  build/apps/veltutil props format "$sample"
  build/apps/veltutil props check "$sample"
done
