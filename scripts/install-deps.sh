#!/usr/bin/env bash
# Installs the Debian packages this project needs, everything that `make test`
# and the continuous integration use, and does nothing when all of them are
# present already. Extra package names may be given as arguments. Where there
# is no apt-get or dpkg, it names the packages in one line and goes on.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git
  libgtest-dev libgmock-dev libboost-math-dev libcli11-dev
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
  libx11-dev libxtst-dev
  xvfb xdotool x11-utils imagemagick twm
  clang-tidy clang-format valgrind
  "$@"
)

if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  echo "No apt-get here: install these (Debian names) by hand if they are missing: ${packages[*]}"
  exit 0
fi

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
