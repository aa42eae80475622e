#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent and non-interactive.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  gfortran default-jdk-headless
  libsqlite3-dev sqlite3
  pspp
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
apt_opts=(-y -q -o DPkg::Lock::Timeout=600)
echo "setup: installing ${missing[*]}"
$SUDO apt-get "${apt_opts[@]}" update
$SUDO apt-get "${apt_opts[@]}" install --no-install-recommends "${missing[@]}"
