#!/usr/bin/env bash
# Compile-time checks of the framework's declarations: every source of tests/compile_fail/ is
# compiled (syntax and semantics only, -fsyntax-only) with the cross compiler, once for ANSI
# and once with UNICODE and _UNICODE, with the project's warning flags.
#   - A source with a line "// expect-error: TEXT" must fail to compile, and the compiler's
#     errors must contain TEXT (a message map with a handler of the wrong signature, say).
#   - A source with a line "// expect: compiles" must compile without a warning.
#   bash scripts/compile_checks.sh [source.cpp ...]     (default: all of tests/compile_fail/)
# Ends with one line "compile checks: N rejected as expected, M wrongly accepted, K of L
# accepted as expected" (a source that fails with other errors than the expected one counts as
# wrongly accepted: its check did not do what it is there for); exits non-zero unless M is 0
# and K is L. Compiler output in $BUILD_DIR/compile_checks/<charset>-<name>.log.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

MFCPAINT_PACKAGES=(g++-mingw-w64-x86-64-posix)
ensure_deps

CXX="${CXX_CROSS:-x86_64-w64-mingw32-g++-posix}"
out="$BUILD_DIR/compile_checks"
mkdir -p "$out"

sources=("$@")
if [ "${#sources[@]}" -eq 0 ]; then
  shopt -s nullglob
  sources=("$REPO"/tests/compile_fail/*.cpp)
  shopt -u nullglob
fi
if [ "${#sources[@]}" -eq 0 ]; then
  log "no sources in $REPO/tests/compile_fail"
  echo "compile checks: 0 rejected as expected, 1 wrongly accepted"
  exit 1
fi

# The flags of the build (CMakeLists.txt): GNU C++17, the framework's headers first.
common_flags=(-std=gnu++17 -fsyntax-only -Wall -Wextra -Werror
              -D_AFXDLL -DWINVER=0x0601 -D_WIN32_WINNT=0x0601
              -I"$REPO/framework/include" -I"$REPO")

rejected=0
wrong=0
accepted=0
must_compile_runs=0
failures=()
for src in "${sources[@]}"; do
  name="$(basename "$src" .cpp)"
  expected="$(sed -nE 's|^// expect-error: (.*)$|\1|p' "$src" | head -n 1)"
  must_compile=0
  if grep -qE '^// expect: compiles$' "$src"; then
    must_compile=1
  fi
  if [ -z "$expected" ] && [ "$must_compile" -eq 0 ]; then
    wrong=$((wrong + 1))
    failures+=("$name: no '// expect-error:' or '// expect: compiles' line")
    continue
  fi
  for charset in ansi unicode; do
    defines=()
    if [ "$charset" = unicode ]; then
      defines=(-DUNICODE -D_UNICODE)
    fi
    logfile="$out/$charset-$name.log"
    rc=0
    # C locale: plain quotes in the messages, as the expected texts are written.
    LC_ALL=C "$CXX" "${common_flags[@]}" "${defines[@]}" "$src" >"$logfile" 2>&1 || rc=$?
    if [ "$must_compile" -eq 1 ]; then
      must_compile_runs=$((must_compile_runs + 1))
      if [ "$rc" -eq 0 ]; then
        accepted=$((accepted + 1))
      else
        failures+=("$name ($charset): must compile, but failed (see $logfile)")
      fi
    elif [ "$rc" -eq 0 ]; then
      wrong=$((wrong + 1))
      failures+=("$name ($charset): compiled, but must fail with \"$expected\"")
    elif grep -qF -- "$expected" "$logfile"; then
      rejected=$((rejected + 1))
    else
      wrong=$((wrong + 1))
      failures+=("$name ($charset): failed without \"$expected\" (see $logfile)")
    fi
  done
done

if [ "${#failures[@]}" -gt 0 ]; then
  printf '%s\n' "${failures[@]}"
fi
echo "compile checks: $rejected rejected as expected, $wrong wrongly accepted," \
  "$accepted of $must_compile_runs accepted as expected"
if [ "$wrong" -ne 0 ] || [ "$accepted" -ne "$must_compile_runs" ]; then
  exit 1
fi
exit 0
