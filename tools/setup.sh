#!/usr/bin/env bash
# Installs the dependencies, builds veltutil (Release) and runs the main job: the veltutil tool
# on the sample documents, then the veltsim application on the sample circuits, which prints
# their results and the page to open in a browser to see their plots.
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

if [ ! -x build/apps/veltsim/veltsim ]; then
  echo "veltsim was not built (it needs ngspice's header, Debian package libngspice0-dev)" >&2
  exit 1
fi
# The RC low-pass, the two-stage amplifier and the filter's AC sweep, in one session: one page
# per analysis, the run table, and index.html linking them.
plots="$PWD/build/veltsim-plots"
rm -rf "$plots"
echo "== veltsim: samples/rc_lowpass.cir, samples/amplifier.cir, samples/filter_ac.cir"
VELT_GRAPHER_OUTPUT="$plots" build/apps/veltsim/veltsim \
  --script samples/rc_lowpass.script --script samples/amplifier.script --script samples/filter_ac.script
echo "Open $plots/index.html in a browser to see the plots."
