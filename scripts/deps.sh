#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Extra package names given as arguments are installed the same way (scripts/package.sh).
set -euo pipefail
need=()
for pkg in qt6-base-dev qt6-serialport-dev qt6-l10n-tools qt6-translations-l10n cmake ninja-build g++ \
           fonts-noto-cjk pkg-config libelf-dev help2man "$@"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi
