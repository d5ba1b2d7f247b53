# Wine harness shared by the scripts: a private prefix under build/, no debug output, no Mono or Gecko
# prompts, and an Xvfb display when none is set. Source it; it defines functions and exports only.
ZEMBRA_ROOT=${ZEMBRA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-${ZEMBRA_BUILD_DIR:-$ZEMBRA_ROOT/build}/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export WINEARCH=win64

# Makes the prefix once (about 15 s); later calls find it ready. A lock keeps parallel tests from
# making it twice.
wine_env_prepare() {
  if [ -f "$WINEPREFIX/.zembra-ready" ]; then return 0; fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zembra-ready" ]; then
      wine wineboot -i >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.zembra-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$WINEPREFIX/.zembra-ready" ] || { echo "wine-env: could not create the Wine prefix $WINEPREFIX" >&2; return 1; }
}

# Windows of the tests are left to Wine rather than to a window manager. The virtual display has none,
# and for a managed window Wine waits up to two seconds, each time it hides or destroys one, for a window
# manager to confirm it: that was two thirds of the Windows tests' time, and a margin their waits lost
# on a loaded machine. Once per prefix.
wine_env_unmanaged_windows() {
  if [ -f "$WINEPREFIX/.zembra-unmanaged" ]; then return 0; fi
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.zembra-unmanaged" ]; then
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 &&
        touch "$WINEPREFIX/.zembra-unmanaged"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$WINEPREFIX/.zembra-unmanaged" ] || { echo "wine-env: cannot set up $WINEPREFIX for the tests" >&2; return 1; }
}

# Starts Xvfb on the first free display number and exports DISPLAY; XVFB_PID holds its process.
xvfb_start() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      local i
      for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      if kill -0 "$XVFB_PID" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
      fi
    fi
  done
  echo "wine-env: no free X display for Xvfb" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    unset XVFB_PID DISPLAY
  fi
}
