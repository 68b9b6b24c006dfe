#!/usr/bin/env bash
# Installs the Debian packages the project needs that the machine lacks.
# Runs as root (or through sudo when there is one).
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  qt6-pdf-dev qt6-image-formats-plugins libsane-dev libsane1
  firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  googletest libgtest-dev libbenchmark-dev
  libxlsxwriter-dev # lists out to Excel workbooks
  python3-openpyxl  # the tests read the workbooks back with another reader
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  dpkg-dev file # the computed dependencies of the Debian package
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
