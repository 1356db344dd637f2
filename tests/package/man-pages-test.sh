#!/usr/bin/env bash
# The manual pages format without a single groff warning (-ww turns all of them on) and carry
# the sections a reader looks for.
set -uo pipefail
dir=$1
if ! command -v groff >/dev/null; then
  echo "SKIPPED: groff is not installed" >&2
  exit 77
fi
status=0
for page in mouldview.1 mouldexport.1; do
  warnings=$(groff -man -ww -z -Tutf8 "$dir/$page" 2>&1)
  if [[ -n $warnings ]]; then
    echo "$page: groff warns:" >&2
    echo "$warnings" >&2
    status=1
  fi
  text=$(groff -man -Tutf8 -P-c "$dir/$page" 2>/dev/null | sed 's/.\x08//g')
  for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" "SEE ALSO"; do
    if ! grep -q "^$section\$" <<<"$text"; then
      echo "$page: no $section section" >&2
      status=1
    fi
  done
  if ! grep -q "217" <<<"$text"; then
    echo "$page: exit status 217 not described" >&2
    status=1
  fi
done
exit $status
