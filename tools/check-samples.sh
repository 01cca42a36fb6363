#!/usr/bin/env bash
# Reads every sample file through the readers and compares the five values with what
# ExifTool reads (oracle.tsv). The samples live beside the repository, not in it.
#   tools/check-samples.sh [SAMPLES_DIR]      (default: ../shared/samples)
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

samples=${1:-$root/../shared/samples}
if [ ! -f "$samples/oracle.tsv" ]; then
  echo "no oracle.tsv in $samples" >&2
  exit 2
fi
samples=$(cd "$samples" && pwd)
ensure_packages cmake g++ make python3 >/dev/null || true

cmake --preset native >/dev/null && cmake --build --preset native -j2 --target reader_probe >/dev/null || {
  echo "build failed" >&2
  exit 1
}
probe=$root/build/native/tests/bench/reader_probe
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Paths relative to the samples folder, as oracle.tsv names them.
(cd "$samples" && tail -n +2 oracle.tsv | cut -f1 | tr '\n' '\0' | xargs -0 "$probe") >"$out"
python3 tools/lib/compare_samples.py "$samples/oracle.tsv" "$out"
