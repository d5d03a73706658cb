#!/usr/bin/env bash
# Installs the build and test dependencies that are missing on a Debian
# machine. As root it uses apt-get; otherwise it names what to install.
set -euo pipefail

# Further packages a command needs besides these are given as arguments.
# Clang and its runtime libraries build the fuzz targets that make test runs.
packages=(cmake ninja-build g++ make libgtest-dev libbenchmark-dev wngerman libncurses-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-dejavu-core xvfb xauth
  clang libclang-rt-14-dev "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null 2>&1; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
