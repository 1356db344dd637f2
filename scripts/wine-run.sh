#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, in a Wine prefix of its own:
#
#   scripts/wine-run.sh --prefix DIR PROGRAM.exe [ARGS...]
#
# The prefix (a private C: drive and registry) is made by `wineboot` on first use, under a lock so
# that parallel tests wait for one set-up instead of racing; that takes some 20 s once. Wine's own
# diagnostics are silenced (WINEDEBUG=-all), and Wine's optional downloads (Mono, Gecko) and menu
# entries are switched off. A program that opens a window needs DISPLAY (scripts/xvfb-run-test.sh).
# The exit status is the program's own; 77 (ctest's SKIP_RETURN_CODE) when Wine is not installed.
set -euo pipefail

prefix=
if [[ ${1:-} == --prefix ]]; then
  prefix=$2
  shift 2
fi
if [[ -z $prefix || $# -eq 0 ]]; then
  echo "usage: $0 --prefix DIR PROGRAM.exe [ARGS...]" >&2
  exit 64
fi
if ! command -v wine >/dev/null; then
  echo "SKIPPED: wine is not installed (Debian packages wine and wine64; see scripts/install-deps.sh)" >&2
  exit 77
fi

mkdir -p "$prefix"
export WINEPREFIX
WINEPREFIX=$(cd "$prefix" && pwd)
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [[ ! -f $WINEPREFIX/.mouldview-ready ]]; then
  (
    flock 9
    if [[ ! -f $WINEPREFIX/.mouldview-ready ]]; then
      wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.mouldview-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec wine "$@"
