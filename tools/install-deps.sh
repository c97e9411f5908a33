#!/usr/bin/env bash
# Installs the Debian packages that building and testing ZRK needs, only when one is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config libgtest-dev qt6-base-dev libgl-dev qt6-translations-l10n libqt6svg6 xvfb)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
