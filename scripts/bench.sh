#!/usr/bin/env bash
# Builds everything and runs each benchmark ($TREE/bin/*_bench.exe) once
# under Wine; extra arguments go to every benchmark. Unicode build unless
# MFCPAINT_CHARSET=ansi.
# Logs: $BUILD_DIR/testout/<name>.log. Exits non-zero when a benchmark fails.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

BENCH_TIMEOUT="${BENCH_TIMEOUT:-1800}"   # seconds per executable

ensure_deps
configure_and_build
start_wine

shopt -s nullglob
exes=("$TREE"/bin/*_bench.exe)
shopt -u nullglob
if [ "${#exes[@]}" -eq 0 ]; then
  echo "no benchmarks found in $TREE/bin"
  exit 0
fi

failed=0
for exe in "${exes[@]}"; do
  name="$(basename "$exe" .exe)"
  echo "=== $name"
  rc=0
  wine_run_logged "$BUILD_DIR/testout/$name.log" "$BENCH_TIMEOUT" "$exe" "$@" || rc=$?
  if [ "$rc" -ne 0 ]; then
    echo "=== $name FAILED (exit status $rc)"
    failed=$((failed + 1))
  fi
done
echo "benchmarks: $(( ${#exes[@]} - failed )) ran, $failed failed"
[ "$failed" -eq 0 ]
