#!/usr/bin/env bash
# Builds and tests both character sets, each in its own tree: $BUILD_DIR/unicode (UNICODE,
# _UNICODE) and $BUILD_DIR/ansi. Each tree's package is installed into a fresh prefix and the
# worked example (examples/dialoghost) built against it out of tree (build_example), for
# example_tests.exe to drive. In each tree, runs every GoogleTest executable ($TREE/bin/*_tests.exe)
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
declare -A example_built=()
for charset in "${charsets[@]}"; do
  use_charset "$charset"
  log "building the $charset tree ($TREE)"
  configure_and_build
  # The worked example against the installed package; example_tests.exe drives it.
  log "building the worked example against the $charset package"
  if build_example >/dev/null; then
    example_built[$charset]=1
  fi
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
  export MFCPAINT_DIALOGHOST
  MFCPAINT_DIALOGHOST="$(to_wine_path "$TREE/example/build/dialoghost.exe")"
  if [ -z "${example_built[$CHARSET]:-}" ]; then
    set_failed=$((set_failed + 1))
    problems=$((problems + 1))
    results+=("$(printf '%-36s %s' "example build ($CHARSET)" "FAILED: see $TREE/example/*.log")")
  fi

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

# run_check LABEL PREFIX LOGNAME COMMAND...: runs one check beside the test executables and
# counts it as one more result, passed when the command succeeds. Its output goes to
# $BUILD_DIR/testout/LOGNAME and is shown; its last line starting with "PREFIX: " is the
# statistics shown in the summary.
run_check() {
  local label="$1" prefix="$2" logfile="$BUILD_DIR/testout/$3"
  shift 3
  echo "=== $label"
  local start=$SECONDS rc=0
  "$@" >"$logfile" 2>&1 || rc=$?
  local secs=$((SECONDS - start))
  cat "$logfile"
  local line status
  line="$(grep -aE "^$prefix: " "$logfile" | tail -n 1 | sed -E "s/^$prefix: //")"
  if [ "$rc" -eq 0 ]; then
    total_passed=$((total_passed + 1))
    status="ok: ${line:-no statistics}"
  else
    total_failed=$((total_failed + 1))
    problems=$((problems + 1))
    status="FAILED: ${line:-exit status $rc}"
  fi
  results+=("$(printf '%-36s %s (%ss)' "$label" "$status" "$secs")")
}

# A --gtest_filter run is about the tests it names: the slow checks are left out.
filtered=0
for arg in "$@"; do
  case "$arg" in
    --gtest_filter=*) filtered=1 ;;
  esac
done

# The layout fuzz target, natively: passed when it found nothing.
if [ "$filtered" -eq 0 ] && [ "${FUZZ_SECONDS:-60}" != "0" ]; then
  run_check "fuzz (DibLayout)" "fuzz" fuzz.log \
    env FUZZ_SECONDS="${FUZZ_SECONDS:-60}" bash "$REPO/scripts/fuzz.sh"
fi
# Narrow text where a TCHAR form belongs, in the framework, library, companion and samples.
run_check "narrow text check" "narrow text" narrow-text.log python3 "$REPO/scripts/narrow_text_check.py"
# Message maps and signatures that must not compile (and one that must).
if [ "$filtered" -eq 0 ] && [ "${COMPILE_CHECKS:-1}" != "0" ]; then
  run_check "compile checks" "compile checks" compile_checks.log bash "$REPO/scripts/compile_checks.sh"
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
