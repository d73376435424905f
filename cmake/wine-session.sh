#!/bin/sh
# Starts or stops the wine session that the windows test programs share: wine-session.sh start|stop
# WINEPREFIX names the prefix; it is created on the first start.
set -u
log=${WINEPREFIX}.log
case $1 in
start)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Mono and Gecko are not installed: nothing here uses them. Without a window manager wine
    # draws window frames itself (Decorated=N), so screenshots show captions.
    if ! { WINEDLLOVERRIDES=mscoree,mshtml= wineboot -i &&
           wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f; } \
         </dev/null >"$log" 2>&1; then
      cat "$log" >&2
      exit 1
    fi
  fi
  # A lasting server, and wine's own processes started here with no ctest pipe open: otherwise
  # they outlive each test program by seconds while ctest waits for its output to close.
  wineserver -p60 </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  ;;
stop)
  wineserver -k 2>/dev/null || true  # nothing to stop when the server has already ended
  wineserver -w
  ;;
esac
