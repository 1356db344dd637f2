#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/debian-packages.txt that are missing.
# Uses apt-get directly as root, or sudo when it needs no password; otherwise prints the
# exact command to run and fails, so that `make` stops with a clear message.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$here/debian-packages.txt" | grep -v '^$')

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  bash -c "$cmd"
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  echo "Installing missing packages with sudo: ${missing[*]}"
  sudo bash -c "$cmd"
else
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo bash -c '$cmd'" >&2
  exit 1
fi
