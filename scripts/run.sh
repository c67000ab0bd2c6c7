#!/usr/bin/env bash
# The main job: builds everything and runs the bmpconvert sample under Wine.
#   bash scripts/run.sh [input.bmp [output.bmp ...]]
# Arguments are passed through. Those that name Linux paths (absolute, containing
# a '/', or an existing file) are turned into Windows paths (Z:\...); Windows
# paths (Z:\..., C:\...) are accepted as they are. With no arguments the
# program converts its built-in default picture to $BUILD_DIR/out/default.bmp.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_deps
configure_and_build
start_wine

exe="$BUILD_DIR/bin/bmpconvert.exe"
if [ ! -f "$exe" ]; then
  log "$exe was not built (no samples/bmpconvert sources?)"
  exit 1
fi

args=()
if [ "$#" -eq 0 ]; then
  mkdir -p "$BUILD_DIR/out"
  output="$BUILD_DIR/out/default.bmp"
  rm -f "$output"
  args=("$(to_wine_path "$output")")
else
  for a in "$@"; do
    case "$a" in
      -*|[A-Za-z]:\\*|[A-Za-z]:/*|\\\\*)
        args+=("$a") ;;                       # an option or a Windows path
      /*|*/*)
        args+=("$(to_wine_path "$a")") ;;     # a Linux path
      *)
        if [ -e "$a" ]; then
          args+=("$(to_wine_path "$a")")      # an existing file here
        else
          args+=("$a")                        # Wine's current folder is this one too
        fi ;;
    esac
  done
fi

rc=0
wine "$exe" "${args[@]}" </dev/null || rc=$?
if [ "$#" -eq 0 ] && [ "$rc" -eq 0 ]; then
  if [ -f "$output" ]; then
    echo "wrote $output"
  else
    log "bmpconvert finished but $output was not written"
    rc=1
  fi
fi
exit "$rc"
