#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the editor need,
# only when some are missing.
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev qt6-translations-l10n qt6-l10n-tools qt6-tools-dev libgl-dev libfreetype-dev libfontconfig1-dev libturbojpeg0-dev
  libgtest-dev libgmock-dev libbenchmark-dev librsvg2-bin libsvgpp-dev libboost-dev zlib1g-dev liblzma-dev fonts-ipafont-gothic fonts-dejavu-core xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
