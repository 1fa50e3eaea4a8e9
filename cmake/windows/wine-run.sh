#!/bin/sh
# Runs a Windows program under Wine for the build and its tests. Without a
# WINEPREFIX of the caller's, it uses one of its own, so tests that write
# the registry never touch ~/.wine; the prefix is made on first use, once
# even when several tests start together.
set -e
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/sorvin/wineprefix"
  export WINEPREFIX
fi
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
