#!/usr/bin/env bash
# Builds and tests both character sets, each in its own tree: $BUILD_DIR/unicode (UNICODE,
# _UNICODE) and $BUILD_DIR/ansi. In each, runs every GoogleTest executable ($TREE/bin/*_tests.exe)
# once under Wine; extra arguments go to every executable, e.g.
#   bash scripts/test.sh --gtest_filter='DIBSection*'
# MFCPAINT_CHARSETS picks the sets and their order (default "unicode ansi").
# Then runs the native fuzz target of the DIB layout checks (scripts/fuzz.sh) for
# FUZZ_SECONDS seconds (default 60; 0 skips it, and so does a --gtest_filter argument),
# and the check for narrow text where a TCHAR form belongs (scripts/narrow_text_check.py),
# each counted as one more result. Then the compile checks (scripts/compile_checks.sh: sources
# of tests/compile_fail/ that must not compile, and one that must), one more result as well;
# COMPILE_CHECKS=0 or a --gtest_filter argument skips them.
# Logs: $BUILD_DIR/testout/<charset>-<name>.log. Prints one line "tests (<charset>): N passed,
# M failed" per character set and ends with the total, "tests: N passed, M failed";
# exits non-zero when a test failed, an executable crashed or timed out, or none ran.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

TEST_TIMEOUT="${TEST_TIMEOUT:-1800}"   # seconds per executable
read -r -a charsets <<<"${MFCPAINT_CHARSETS:-unicode ansi}"

ensure_deps
for charset in "${charsets[@]}"; do
  use_charset "$charset"
  log "building the $charset tree ($TREE)"
  configure_and_build
done
start_wine
mount_full_disk

total_passed=0
total_failed=0
problems=0
executables=0
results=()
charset_lines=()

for charset in "${charsets[@]}"; do
  use_charset "$charset"
  shopt -s nullglob
  exes=("$TREE"/bin/*_tests.exe)
  shopt -u nullglob
  executables=$((executables + ${#exes[@]}))
  set_passed=0
  set_failed=0

  for exe in "${exes[@]}"; do
    name="$(basename "$exe" .exe)"
    logfile="$BUILD_DIR/testout/$CHARSET-$name.log"
    echo "=== $name ($CHARSET)"
    start=$SECONDS
    rc=0
    wine_run_logged "$logfile" "$TEST_TIMEOUT" "$exe" "$@" || rc=$?
    secs=$((SECONDS - start))

    # GoogleTest's closing summary: "[  PASSED  ] N test(s)." and "[  FAILED  ] M test(s), listed below:"
    summary_passed="$(grep -aE '^\[  PASSED  \] [0-9]+ tests?\.' "$logfile" | tail -n 1 \
                      | sed -E 's/^\[  PASSED  \] ([0-9]+).*/\1/' || true)"
    summary_failed="$(grep -aE '^\[  FAILED  \] [0-9]+ tests?, listed below' "$logfile" | tail -n 1 \
                      | sed -E 's/^\[  FAILED  \] ([0-9]+).*/\1/' || true)"

    if [ -n "$summary_passed" ]; then
      p=$summary_passed
      f=${summary_failed:-0}
      if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
        # All tests passed, yet the program failed (at exit, for instance).
        f=1
        problems=$((problems + 1))
        status="FAILED: exit status $rc after all tests passed"
      elif [ "$f" -gt 0 ]; then
        status="FAILED: $f of $((p + f)) tests"
      else
        status="ok: $p tests"
      fi
    else
      # No summary: crashed or timed out. Count what finished, plus one failure.
      p="$(grep -acE '^\[       OK \] ' "$logfile" || true)"
      f="$(grep -acE '^\[  FAILED  \] [^ ]+\.[^ ]+ \(' "$logfile" || true)"
      f=$((f + 1))
      problems=$((problems + 1))
      if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
        status="TIMED OUT after ${TEST_TIMEOUT}s"
      else
        status="CRASHED: exit status $rc, no summary"
      fi
    fi
    set_passed=$((set_passed + p))
    set_failed=$((set_failed + f))
    results+=("$(printf '%-36s %s (%ss)' "$name ($CHARSET)" "$status" "$secs")")
  done
  if [ "${#exes[@]}" -eq 0 ]; then
    results+=("no test executables found in $TREE/bin")
  fi
  total_passed=$((total_passed + set_passed))
  total_failed=$((total_failed + set_failed))
  charset_lines+=("tests ($CHARSET): $set_passed passed, $set_failed failed")
done

# The layout fuzz target, natively: one more result, passed when it found nothing.
run_fuzz=1
if [ "${FUZZ_SECONDS:-60}" = "0" ]; then
  run_fuzz=0
fi
for arg in "$@"; do
  case "$arg" in
    --gtest_filter=*) run_fuzz=0 ;;
  esac
done
if [ "$run_fuzz" -eq 1 ]; then
  echo "=== fuzz"
  fuzz_log="$BUILD_DIR/testout/fuzz.log"
  start=$SECONDS
  rc=0
  FUZZ_SECONDS="${FUZZ_SECONDS:-60}" bash "$REPO/scripts/fuzz.sh" >"$fuzz_log" 2>&1 || rc=$?
  secs=$((SECONDS - start))
  cat "$fuzz_log"
  line="$(grep -aE '^fuzz: ' "$fuzz_log" | tail -n 1 | sed -E 's/^fuzz: //')"
  if [ "$rc" -eq 0 ]; then
    total_passed=$((total_passed + 1))
    status="ok: ${line:-no statistics}"
  else
    total_failed=$((total_failed + 1))
    problems=$((problems + 1))
    status="FAILED: ${line:-exit status $rc}"
  fi
  results+=("$(printf '%-36s %s (%ss)' "fuzz (DibLayout)" "$status" "$secs")")
fi

# Narrow text where a TCHAR form belongs, in the framework, library, companion and samples:
# one more result, passed when there is none.
echo "=== narrow text"
narrow_log="$BUILD_DIR/testout/narrow-text.log"
rc=0
python3 "$REPO/scripts/narrow_text_check.py" >"$narrow_log" 2>&1 || rc=$?
cat "$narrow_log"
line="$(grep -aE '^narrow text: ' "$narrow_log" | tail -n 1 | sed -E 's/^narrow text: //')"
if [ "$rc" -eq 0 ]; then
  total_passed=$((total_passed + 1))
  status="ok: ${line:-no statistics}"
else
  total_failed=$((total_failed + 1))
  problems=$((problems + 1))
  status="FAILED: ${line:-exit status $rc}"
fi
results+=("$(printf '%-36s %s' "narrow text check" "$status")")

# The compile checks: one more result, passed when every source was judged as expected.
run_compile_checks=1
if [ "${COMPILE_CHECKS:-1}" = "0" ]; then
  run_compile_checks=0
fi
for arg in "$@"; do
  case "$arg" in
    --gtest_filter=*) run_compile_checks=0 ;;
  esac
done
if [ "$run_compile_checks" -eq 1 ]; then
  echo "=== compile checks"
  checks_log="$BUILD_DIR/testout/compile_checks.log"
  start=$SECONDS
  rc=0
  bash "$REPO/scripts/compile_checks.sh" >"$checks_log" 2>&1 || rc=$?
  secs=$((SECONDS - start))
  cat "$checks_log"
  line="$(grep -aE '^compile checks: ' "$checks_log" | tail -n 1 | sed -E 's/^compile checks: //')"
  if [ "$rc" -eq 0 ]; then
    total_passed=$((total_passed + 1))
    status="ok: ${line:-no statistics}"
  else
    total_failed=$((total_failed + 1))
    problems=$((problems + 1))
    status="FAILED: ${line:-exit status $rc}"
  fi
  results+=("$(printf '%-36s %s (%ss)' "compile checks" "$status" "$secs")")
fi

echo
echo "=== summary (logs in $BUILD_DIR/testout)"
printf '%s\n' "${results[@]}"
printf '%s\n' "${charset_lines[@]}"
echo "tests: $total_passed passed, $total_failed failed"

if [ "$executables" -eq 0 ] || [ "$total_failed" -gt 0 ] || [ "$problems" -gt 0 ] \
   || [ $((total_passed + total_failed)) -eq 0 ]; then
  exit 1
fi
exit 0
