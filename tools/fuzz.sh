#!/usr/bin/env bash
# Builds the readers' libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for the given number of seconds on a corpus
# seeded by the test builders.
#   tools/fuzz.sh SECONDS [TARGET...]
# One line per target ("fuzz_x: passed, N executions" or "fuzz_x: FAILED ..."), then
# "fuzz: N passed, N failed". Crashing inputs are kept in build/fuzz/artifacts/.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

seconds=${1:-}
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS [TARGET...]" >&2
  exit 2
fi
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(fuzz_open_reader fuzz_jpeg_file fuzz_raw_file fuzz_riff_file fuzz_heif_file
  fuzz_cr3_file fuzz_mp4_file fuzz_png_file fuzz_webp_file fuzz_date_texts)

# libFuzzer and the sanitizer runtimes come with clang's runtime package.
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  ensure_packages clang libclang-rt-14-dev || {
    echo "clang with libFuzzer is not available: the fuzz targets were NOT run" >&2
    exit 3
  }
fi

build=build/fuzz
if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j2 >/dev/null; }; then
  echo "fuzz build failed" >&2
  echo "fuzz: 0 passed, ${#targets[@]} failed"
  exit 1
fi
"$build/tests/fuzz/make_fuzz_seeds" "$build/seeds"
mkdir -p "$build/artifacts"

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus"
  log=$build/$target.log
  # New inputs go to the corpus, which grows from run to run; the seeds stay as they are.
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
    "$corpus" "$build/seeds/$target" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1)
  if [ $status -eq 0 ] && [ -n "$runs" ]; then
    echo "$target: passed, ${runs} executions in ${seconds} s, corpus $(ls "$corpus" | wc -l) files"
    passed=$((passed + 1))
  else
    echo "$target: FAILED (exit $status), see $log"
    grep -E 'ERROR|property violated|SUMMARY|Test unit written' "$log" | head -10
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
