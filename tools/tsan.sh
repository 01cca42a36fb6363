#!/usr/bin/env bash
# Runs the tests of the rename pass, the read-ahead and the prefetch service under
# ThreadSanitizer (the "tsan" preset, build/tsan). Any data race or lock-order problem
# fails the run. Ends with "tsan: N passed, N failed" (one per test program).
#   tools/tsan.sh [GTEST_FILTER]
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

filter=${1:-*}
ensure_packages cmake g++ make libgtest-dev || true
if ! { cmake --preset tsan >/dev/null && cmake --build --preset tsan -j2 >/dev/null; }; then
  echo "tsan build failed" >&2
  echo "tsan: 0 passed, 1 failed"
  exit 1
fi

# ThreadSanitizer cannot map its shadow memory with the high address randomisation of
# recent kernels; setarch -R runs the tests without it.
run=()
setarch "$(uname -m)" -R true 2>/dev/null && run=(setarch "$(uname -m)" -R)

passed=0
failed=0
for program in test_engine test_platform test_posix; do
  log=$(mktemp)
  if TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1" \
    "${run[@]}" "build/tsan/tests/$program" --gtest_filter="$filter" >"$log" 2>&1; then
    echo "$program: passed ($(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log") tests)"
    passed=$((passed + 1))
  else
    echo "$program: FAILED"
    grep -E 'WARNING: ThreadSanitizer|^\[  FAILED  \]|SUMMARY' "$log" | head -20
    failed=$((failed + 1))
  fi
  rm -f "$log"
done
echo "tsan: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
