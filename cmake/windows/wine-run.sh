#!/bin/sh
# Runs a Windows program under Wine for the build and its tests. Without a
# WINEPREFIX of the caller's, it uses one of its own, so tests that write
# the registry never touch ~/.wine. A missing prefix is made on first use,
# once even when several tests start together.
set -e
if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX="${XDG_CACHE_HOME:-$HOME/.cache}/sorvin/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
# `wine-run.sh --wait-for-quit`: waits until the prefix's Wine server has
# quit, and every program it ran with it.
if [ "${1:-}" = "--wait-for-quit" ]; then
  exec wineserver -w
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wine wineboot -i >/dev/null 2>&1
      # The registry reaches system.reg when the server stops; until then
      # the next test would take the prefix for unmade.
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
