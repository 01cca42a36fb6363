#!/usr/bin/env bash
# The project's test command. On a fresh Debian machine it installs what is missing,
# builds the Linux and the Windows targets, runs the native tests with ctest and the
# Windows test programs under Wine, makes and checks both packages, and ends with one
# line: "N passed, N failed". A stage that cannot run here (no clang for the fuzz
# targets, no Wine or MinGW-w64) counts as failed: the closing line never hides it.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0

if ! ensure_packages cmake g++ make libgtest-dev g++-mingw-w64-x86-64 wine wine64 xvfb xauth tzdata groff dpkg-dev file python3; then
  if have_apt; then
    echo "package installation failed" >&2
    exit 1
  fi
  echo "This is not a Debian machine: installing nothing; cmake, g++ and GoogleTest must be present."
fi

# The native locale tests read a German locale besides C; make it when the system can.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  if { ! have_apt || ensure_packages locales; } &&
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 &&
    locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "generated the de_DE.UTF-8 locale"
  else
    echo "could not generate the de_DE.UTF-8 locale: the native German locale test is skipped"
  fi
fi

# --- native build and tests --------------------------------------------------
echo "== native build"
if cmake --preset native >/dev/null && cmake --build --preset native -j"$jobs"; then
  log=$(mktemp)
  (cd build/native && ctest -j"$jobs" --output-on-failure) | tee "$log" | grep -E 'tests passed|Failed|\*\*\*' || true
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -1)
  # A test that skipped itself did not check what it is there for: it counts as failed.
  skipped=$(grep -c '(Skipped)' "$log" || true)
  if [ -z "$total" ]; then
    failed=$((failed + 1))
  else
    [ "$skipped" -gt 0 ] && { echo "skipped, counted as failed:"; grep '(Skipped)' "$log"; }
    passed=$((passed + total - bad - skipped))
    failed=$((failed + bad + skipped))
  fi
  rm -f "$log"
else
  echo "native build failed" >&2
  failed=$((failed + 1))
fi

# --- fuzz targets: each reader's target runs for a short, bounded time ---------
# Each target counts as one test. STAMPEL_FUZZ_SECONDS changes the time per target.
echo "== fuzz targets (${STAMPEL_FUZZ_SECONDS:-10} s each)"
log=$(mktemp)
tools/fuzz.sh "${STAMPEL_FUZZ_SECONDS:-10}" | tee "$log"
status=${PIPESTATUS[0]}
summary=$(sed -n 's/^fuzz: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$log" | tail -1)
if [ "$status" -eq 3 ]; then
  echo "clang with libFuzzer is not available on this machine: the fuzz targets were NOT run (counted as failed)."
  failed=$((failed + 1))
elif [ -z "$summary" ]; then
  failed=$((failed + 1))
else
  read -r ok bad <<<"$summary"
  passed=$((passed + ok))
  failed=$((failed + bad))
fi
rm -f "$log"

# --- Windows build and tests under Wine --------------------------------------
# Counts one test program's results from GoogleTest's summary; a crash counts as a failure.
count_gtest() {
  local output=$1 ok bad skipped
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$output" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*, listed below.*/\1/p' "$output" | tail -1)
  skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$output" | tail -1)
  if [ -z "$ok" ] && [ -z "$bad" ]; then
    echo "0 1"
  else
    echo "${ok:-0} $(( ${bad:-0} + ${skipped:-0} ))"  # a skipped test counts as failed
  fi
}

if [ -z "$(wine_command)" ] || ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "Wine or MinGW-w64 is not available on this machine: the Windows build and its tests were NOT run (counted as failed)."
  failed=$((failed + 1))
else
  echo "== Windows build (MinGW-w64)"
  if cmake --preset windows >/dev/null && cmake --build --preset windows -j"$jobs"; then
    echo "== Windows tests under Wine"
    start_wine_prefix
    # Wine takes the time zone from TZ; the video time tests are written for this one.
    export TZ=America/New_York
    for exe in build/windows/tests/test_*.exe; do
      out=$(mktemp)
      # GUI tests need a display; a virtual one serves them all.
      if command -v xvfb-run >/dev/null; then
        xvfb-run -a "$(wine_command)" "$exe" >"$out" 2>&1
      else
        "$(wine_command)" "$exe" >"$out" 2>&1
      fi
      read -r ok bad < <(count_gtest "$out")
      echo "$(basename "$exe"): $ok passed, $bad failed"
      [ "$bad" -gt 0 ] && grep -E '^\[  (FAILED|SKIPPED) +\]|Failure|error' "$out" | head -40
      passed=$((passed + ok))
      failed=$((failed + bad))
      rm -f "$out"
    done

    # --- packages: made from the two builds above, then checked --------------
    echo "== packages"
    log=$(mktemp)
    if tools/package.sh >"$log" 2>&1; then
      tools/check-packages.sh | tee "$log"
      summary=$(sed -n 's/^packages: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$log" | tail -1)
      if [ -z "$summary" ]; then
        failed=$((failed + 1))
      else
        read -r ok bad <<<"$summary"
        passed=$((passed + ok))
        failed=$((failed + bad))
      fi
    else
      cat "$log"
      echo "tools/package.sh failed" >&2
      failed=$((failed + 1))
    fi
    rm -f "$log"
  else
    echo "Windows build failed" >&2
    failed=$((failed + 1))
  fi
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
