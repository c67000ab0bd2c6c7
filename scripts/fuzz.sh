#!/usr/bin/env bash
# Fuzzes the DIB layout checks (image/DibLayout.cpp) natively: builds fuzz/DibLayoutFuzzer.cpp
# with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer, replays every file
# of fuzz/regressions/ first, then fuzzes for FUZZ_SECONDS seconds (default 60) from a seed
# corpus made of ../shared/bmpsuite's .bmp files and the same files without their 14-byte
# file header (packed DIBs as the clipboard holds them).
#   bash scripts/fuzz.sh                 FUZZ_SECONDS=300 bash scripts/fuzz.sh
# Work files in $BUILD_DIR/fuzz/ (the corpus grows there from run to run). A finding is
# copied into fuzz/regressions/ (keep it there once fixed). Ends with one line
# "fuzz: N executions, corpus M inputs, K findings"; exits non-zero on a finding.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
# Only the native compiler and its sanitizer and fuzzer runtimes are needed here.
MFCPAINT_PACKAGES=(clang-14 libclang-rt-14-dev)
ensure_deps

work="$BUILD_DIR/fuzz"
fuzzer="$work/diblayout_fuzzer"
mkdir -p "$work/corpus" "$work/seeds"
rm -rf "$work/findings"
mkdir -p "$work/findings"

log "building $fuzzer"
clang++-14 -std=c++17 -O1 -g -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$REPO" "$REPO/image/DibLayout.cpp" "$REPO/fuzz/DibLayoutFuzzer.cpp" -o "$fuzzer"

suite="$REPO/../shared/bmpsuite"
if [ -d "$suite" ]; then
  while IFS= read -r -d '' bmp; do
    name="$(basename "$(dirname "$bmp")")-$(basename "$bmp" .bmp)"
    cp -f "$bmp" "$work/seeds/$name.bmp"
    tail -c +15 "$bmp" >"$work/seeds/$name.dib"
  done < <(find "$suite" -name '*.bmp' -print0)
else
  log "warning: BMP corpus not found at $suite: fuzzing from the regressions alone"
fi

# The regressions first: each is run once and must pass.
shopt -s nullglob
regressions=("$REPO"/fuzz/regressions/*)
shopt -u nullglob
if [ "${#regressions[@]}" -gt 0 ]; then
  log "replaying ${#regressions[@]} regression inputs"
  if ! "$fuzzer" -runs=1 "${regressions[@]}" >"$work/regressions.log" 2>&1; then
    cat "$work/regressions.log" >&2
    echo "fuzz: 0 executions, corpus 0 inputs, 1 findings (a regression input fails)"
    exit 1
  fi
fi

log "fuzzing for ${FUZZ_SECONDS}s"
rc=0
"$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/findings/" "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1 || rc=$?

executions="$(grep -aE '^stat::number_of_executed_units:' "$work/fuzz.log" | tail -n 1 | awk '{print $2}')"
corpus="$(grep -aoE 'corp: [0-9]+' "$work/fuzz.log" | tail -n 1 | awk '{print $2}')"
findings=0
for found in "$work"/findings/*; do
  [ -f "$found" ] || continue
  findings=$((findings + 1))
  cp -f "$found" "$REPO/fuzz/regressions/$(basename "$found")"
  log "finding kept as fuzz/regressions/$(basename "$found")"
done
if [ "$rc" -ne 0 ] && [ "$findings" -eq 0 ]; then
  findings=1   # the fuzzer failed without leaving an input behind
fi
if [ "$findings" -gt 0 ]; then
  grep -aE 'ERROR|SUMMARY|promise broken|runtime error' "$work/fuzz.log" | head -n 20 >&2 || true
  log "full output: $work/fuzz.log"
fi
echo "fuzz: ${executions:-0} executions, corpus ${corpus:-0} inputs, $findings findings"
[ "$findings" -eq 0 ]
