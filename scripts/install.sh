#!/usr/bin/env bash
# Builds the library for one character set and installs its CMake package into PREFIX:
#   bash scripts/install.sh PREFIX                     (the Unicode tree, build/unicode)
#   MFCPAINT_CHARSET=ansi bash scripts/install.sh PREFIX   (the ANSI tree, build/ansi)
# A program then finds it with find_package(mfcpaint CONFIG REQUIRED) and
# -DCMAKE_PREFIX_PATH=PREFIX (docs/using-the-library.md).
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ $# -ne 1 ] || [ "${1#-}" != "$1" ]; then
  echo "usage: bash scripts/install.sh PREFIX" >&2
  exit 2
fi
prefix="$1"

ensure_deps
log "building the $CHARSET tree ($TREE)"
configure_and_build
cmake --install "$TREE" --prefix "$prefix"
log "installed the $CHARSET package into $prefix"
