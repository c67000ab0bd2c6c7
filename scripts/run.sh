#!/usr/bin/env bash
# The main job: builds everything and runs the paint editor under Wine.
#   bash scripts/run.sh [picture.bmp]
# With a display (DISPLAY set) the editor opens for you to use, on the picture given or on its
# built-in one. Without a display it plays a short scripted session under Xvfb (shapes, a fill,
# undo and redo, a resize, a save) and writes the edited picture and a screenshot of the window
# (.bmp and .png) to $BUILD_DIR/out/. A Linux path is turned into a Windows path (Z:\...); a Windows path
# (Z:\..., C:\...) is taken as it is.
set -euo pipefail
# shellcheck source=scripts/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "$#" -gt 1 ]; then
  echo "usage: bash scripts/run.sh [picture.bmp]" >&2
  exit 1
fi
headless=1
if [ -n "${DISPLAY:-}" ]; then
  headless=0
fi

ensure_deps
configure_and_build
start_wine

exe="$TREE/bin/painteditor.exe"
if [ ! -f "$exe" ]; then
  log "$exe was not built (no samples/painteditor sources?)"
  exit 1
fi

args=()
if [ "$#" -eq 1 ]; then
  case "$1" in
    [A-Za-z]:\\*|[A-Za-z]:/*|\\\\*) args=("$1") ;;
    *) args=("$(to_wine_path "$1")") ;;
  esac
fi

if [ "$headless" -eq 0 ]; then
  # A window manager is at hand: let it frame the editor (the scripts switch that off for
  # the headless runs, where no manager answers).
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f \
    </dev/null >/dev/null 2>&1
  rc=0
  wine "$exe" "${args[@]}" </dev/null || rc=$?
  exit "$rc"
fi

out="$BUILD_DIR/out"
mkdir -p "$out"
edited="$out/edited.bmp"
shot="$out/editor.bmp"
rm -f "$edited" "$shot"
log "no display: playing the scripted session on Xvfb"
rc=0
wine_run_logged "$out/painteditor.log" 180 "$exe" --script "$(to_wine_path "$edited")" \
  "$(to_wine_path "$shot")" "${args[@]}" || rc=$?
if [ "$rc" -ne 0 ]; then
  log "the scripted session failed (exit code $rc); its output is in $out/painteditor.log"
  exit "$rc"
fi
for f in "$edited" "$shot"; do
  if [ ! -s "$f" ]; then
    log "the session ended but $f was not written"
    exit 1
  fi
done
# The screenshot as a PNG too, for pages that show it (the README's picture is one of these).
shot_png="$out/editor.png"
if ! python3 "$REPO/scripts/bmp_to_png.py" "$shot" "$shot_png"; then
  log "the screenshot could not be turned into a PNG"
  exit 1
fi
echo "edited picture: $edited"
echo "screenshot:     $shot (and $shot_png)"
