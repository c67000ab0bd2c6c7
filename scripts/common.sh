# shellcheck shell=bash
# Shared set-up for scripts/run.sh, test.sh and bench.sh. Source it; do not run it.
#
#   REPO        the repository root
#   BUILD_DIR   the build folder (default $REPO/build; override with BUILD_DIR=...). It holds
#               one build tree per character set, $BUILD_DIR/unicode and $BUILD_DIR/ansi,
#               and what they share: the Wine prefix, test logs, outputs.
#   CHARSET     the character set built and run: unicode (the default; MFCPAINT_CHARSET=ansi
#               for the other) - see use_charset
#   TREE        the build tree of CHARSET, $BUILD_DIR/$CHARSET (its programs in $TREE/bin)
#   ensure_deps          install the Debian packages that are missing
#   use_charset NAME     switch CHARSET and TREE to unicode or ansi
#   configure_and_build  cmake configure of TREE (mingw-w64 cross, Release -O2) and build
#   build_example        TREE's package installed into $TREE/example/prefix and the worked
#                        example (examples/dialoghost) built against it in $TREE/example/build
#   start_wine           X display (Xvfb when DISPLAY is unset), Wine prefix in the
#                        build tree, one persistent wineserver; all ended on exit
#   to_wine_path PATH    /abs/linux/path -> Z:\abs\linux\path
#   mount_full_disk      (after start_wine) a tiny volume for the full-disk tests
#
# Programs get, through the environment (Wine passes Unix variables through):
#   MFCPAINT_BMPSUITE   Windows path of ../shared/bmpsuite (the BMP test corpus)
#   MFCPAINT_TESTDIR    Windows path of $BUILD_DIR/testout (emptied on each run)
#   MFCPAINT_FULLDISK   Windows path of a 256 KB volume mounted for the run, for tests of
#                       saving onto a full disk; empty when mounting is not allowed
#   MFCPAINT_FUZZ_REGRESSIONS  Windows path of fuzz/regressions (the fuzz target's findings)
#   MFCPAINT_DIALOGHOST Windows path of the worked example built by build_example (test.sh)

REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$REPO/build}"
case "$BUILD_DIR" in
  /*) ;;
  *) BUILD_DIR="$PWD/$BUILD_DIR" ;;
esac
export REPO BUILD_DIR

# use_charset unicode|ansi: the character set that configure_and_build builds and whose
# programs the scripts run (TCHAR as wchar_t with UNICODE and _UNICODE, or as char).
use_charset() {
  case "$1" in
    unicode|ansi) ;;
    *) log "unknown character set '$1' (unicode or ansi)"; return 1 ;;
  esac
  CHARSET="$1"
  TREE="$BUILD_DIR/$CHARSET"
  export CHARSET TREE
}

MFCPAINT_PACKAGES=(wine wine64 g++-mingw-w64-x86-64-posix xvfb xauth cmake make googletest python3)

log() { echo "[$(basename "$0")] $*" >&2; }

use_charset "${MFCPAINT_CHARSET:-unicode}"

# Installs the packages of MFCPAINT_PACKAGES that are not installed yet.
ensure_deps() {
  local missing=() p
  for p in "${MFCPAINT_PACKAGES[@]}"; do
    if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  log "installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq >/dev/null
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures TREE for CHARSET (mingw-w64 cross toolchain, Release with -O2) and builds everything.
configure_and_build() {
  mkdir -p "$TREE"
  local unicode=OFF
  if [ "$CHARSET" = unicode ]; then
    unicode=ON
  fi
  # Configure quietly (its log is kept); warnings and errors still show.
  if ! cmake -S "$REPO" -B "$TREE" \
      -G "Unix Makefiles" \
      -DMFCPAINT_UNICODE="$unicode" \
      -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/toolchain-mingw64.cmake" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
      >"$TREE/configure.log"; then
    cat "$TREE/configure.log" >&2
    log "cmake configure failed"
    return 1
  fi
  cmake --build "$TREE" -j"$(nproc)"
}

# The guide's steps (docs/using-the-library.md), from a fresh prefix and a fresh build folder:
# installs TREE's package and builds examples/dialoghost out of tree with find_package.
# Prints where the program is; logs in $TREE/example/*.log.
build_example() {
  local dir="$TREE/example"
  local prefix="$dir/prefix" out="$dir/build" build_type=Release
  rm -rf "$prefix" "$out"
  mkdir -p "$dir"
  if ! cmake --install "$TREE" --prefix "$prefix" >"$dir/install.log" 2>&1; then
    cat "$dir/install.log" >&2
    log "installing the package of $TREE failed"
    return 1
  fi
  if ! cmake -S "$REPO/examples/dialoghost" -B "$out" \
      -DCMAKE_BUILD_TYPE="$build_type" \
      -DCMAKE_PREFIX_PATH="$prefix" \
      -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/mfcpaint/toolchain-mingw64.cmake" \
      >"$dir/configure.log" 2>&1 \
     || ! cmake --build "$out" >"$dir/build.log" 2>&1; then
    cat "$dir/configure.log" "$dir/build.log" >&2 2>/dev/null || true
    log "building the example against the installed package failed"
    return 1
  fi
  echo "$out/dialoghost.exe"
}

# /abs/path -> Z:\abs\path (Wine maps the Unix root to drive Z:).
to_wine_path() {
  local p="$1"
  case "$p" in
    /*) ;;
    *) p="$(realpath -m -- "$p")" ;;
  esac
  printf 'Z:%s\n' "${p//\//\\}"
}

_MFCPAINT_XVFB_PID=""
_MFCPAINT_WINE_STARTED=""
_MFCPAINT_FULLDISK_DIR=""

# Starts Xvfb on a free display number (:99 downwards) and exports DISPLAY.
_start_xvfb() {
  local n
  for n in $(seq 99 -1 10); do
    if [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; then
      continue
    fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$BUILD_DIR/xvfb.log" 2>&1 &
    _MFCPAINT_XVFB_PID=$!
    for _ in $(seq 1 100); do
      if [ -S "/tmp/.X11-unix/X${n}" ]; then
        export DISPLAY=":$n"
        return 0
      fi
      if ! kill -0 "$_MFCPAINT_XVFB_PID" 2>/dev/null; then
        break   # lost a race for this number, or failed: try the next one
      fi
      sleep 0.1
    done
    kill "$_MFCPAINT_XVFB_PID" 2>/dev/null || true
    wait "$_MFCPAINT_XVFB_PID" 2>/dev/null || true
    _MFCPAINT_XVFB_PID=""
  done
  log "could not start Xvfb (see $BUILD_DIR/xvfb.log)"
  return 1
}

# Mounts a tiny tmpfs that tests fill up to see a save fail on a really full disk. Mounting
# needs root (as in CI); otherwise MFCPAINT_FULLDISK is empty and those tests are skipped.
mount_full_disk() {
  local dir="$BUILD_DIR/fulldisk"
  MFCPAINT_FULLDISK=""
  mkdir -p "$dir"
  if mountpoint -q "$dir"; then
    umount "$dir" 2>/dev/null || true
  fi
  if [ "$(id -u)" -eq 0 ] \
     && mount -t tmpfs -o size=256k,mode=0777 mfcpaint-fulldisk "$dir" 2>/dev/null; then
    _MFCPAINT_FULLDISK_DIR="$dir"
    MFCPAINT_FULLDISK="$(to_wine_path "$dir")"
  else
    log "note: no small volume mounted; the real full-disk test will be skipped"
  fi
  export MFCPAINT_FULLDISK
}

# Sets up the X display, the Wine prefix and a persistent wineserver, and the
# variables programs read. Everything it starts is ended on exit.
start_wine() {
  mkdir -p "$BUILD_DIR"
  trap stop_wine EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM

  if [ -z "${DISPLAY:-}" ]; then
    _start_xvfb
    log "started Xvfb on $DISPLAY"
  fi

  export WINEPREFIX="$BUILD_DIR/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No desktop menu entries or file associations written into $HOME; no Mono or
  # Gecko installer prompts when Wine creates or updates the prefix.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="

  local ready="$WINEPREFIX/.mfcpaint-prefix-ready"
  if [ ! -f "$ready" ]; then
    rm -rf "$WINEPREFIX"
  fi
  mkdir -p "$WINEPREFIX"
  # One wineserver for the whole run: the prefix's processes stay up between
  # programs, so each program starts faster. Its output goes nowhere: a process
  # that lives as long as it must not hold the caller's pipes open.
  wineserver -p </dev/null >/dev/null 2>&1
  _MFCPAINT_WINE_STARTED=1

  if [ ! -f "$ready" ]; then
    log "creating Wine prefix $WINEPREFIX"
    local bootlog="$BUILD_DIR/wineboot.log"
    # Output to a file: through a pipe, wineboot's helper processes kept the
    # pipe open as long as the wineserver lived. The harmless syswow64 message
    # and working-directory notes are dropped.
    if ! wineboot -i </dev/null >"$bootlog" 2>&1; then
      cat "$bootlog" >&2
      log "wineboot failed"
      return 1
    fi
    grep -v -e 'syswow64' -e 'could not open working directory' \
      -e 'has been updated' "$bootlog" >&2 || true
    # A crashing program ends with a backtrace on stderr instead of waiting
    # for someone to close winedbg's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1
    touch "$ready"
  fi
  # Without a window manager, Wine's X11 driver waits up to 2 s for one whenever a managed
  # (captioned) top-level window is hidden or destroyed; unmanaged windows need no wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1

  local suite="$REPO/../shared/bmpsuite"
  if [ -d "$suite" ]; then
    MFCPAINT_BMPSUITE="$(to_wine_path "$(realpath "$suite")")"
  else
    log "warning: BMP corpus not found at $suite"
    MFCPAINT_BMPSUITE=""
  fi
  export MFCPAINT_BMPSUITE
  MFCPAINT_FUZZ_REGRESSIONS="$(to_wine_path "$REPO/fuzz/regressions")"
  export MFCPAINT_FUZZ_REGRESSIONS

  rm -rf "$BUILD_DIR/testout"
  mkdir -p "$BUILD_DIR/testout"
  MFCPAINT_TESTDIR="$(to_wine_path "$BUILD_DIR/testout")"
  export MFCPAINT_TESTDIR
}

# Ends this prefix's wineserver (and every Wine process in it), our Xvfb and the small volume.
stop_wine() {
  if [ -n "$_MFCPAINT_WINE_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    _MFCPAINT_WINE_STARTED=""
  fi
  if [ -n "$_MFCPAINT_FULLDISK_DIR" ]; then
    umount "$_MFCPAINT_FULLDISK_DIR" 2>/dev/null || true
    _MFCPAINT_FULLDISK_DIR=""
  fi
  if [ -n "$_MFCPAINT_XVFB_PID" ]; then
    kill "$_MFCPAINT_XVFB_PID" 2>/dev/null || true
    wait "$_MFCPAINT_XVFB_PID" 2>/dev/null || true
    _MFCPAINT_XVFB_PID=""
  fi
}

# wine_run_logged LOGFILE SECONDS PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine with a time limit, its output written to
# LOGFILE and shown live. Returns the program's exit status (124: timed out).
# The output goes to a file, not a pipe: a Wine background process that
# inherited a pipe would keep it open until the wineserver ends (seen with
# wineboot's helpers), and the caller would wait until then.
wine_run_logged() {
  local logfile="$1" limit="$2"
  shift 2
  : >"$logfile"
  timeout --kill-after=30 "$limit" wine "$@" </dev/null >"$logfile" 2>&1 &
  local pid=$!
  tail -n +1 -s 0.2 -f --pid="$pid" "$logfile" | tr -d '\r'
  local rc=0
  wait "$pid" || rc=$?
  sed -i 's/\r$//' "$logfile"
  return "$rc"
}
