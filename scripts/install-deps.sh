#!/usr/bin/env bash
# Installs the Debian packages this project needs, and does nothing when all
# of them are present already. Extra package names may be given as arguments.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
  libx11-dev libxtst-dev
  xvfb xdotool x11-utils imagemagick
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# A package list older than a day (or none at all) is refreshed first.
if [[ -z $(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mmin -1440 2>/dev/null | head -n 1) ]]; then
  $sudo apt-get update -qq
fi
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
