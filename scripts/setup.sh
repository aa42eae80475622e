#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent and non-interactive.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  gfortran default-jdk-headless
  libsqlite3-dev sqlite3
  postgresql libpq-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  pspp libreadstat-dev
  chromium nodejs
  libxlsxwriter-dev unzip
  time
  libreoffice-calc-nogui libreoffice-script-provider-python python3-uno
)

# The web page suite drives headless Chromium through playwright-core (npm), installed
# beside it in tests/conformance/web/node_modules at the version its lock file names.
install_web_test_packages() {
  local web
  web="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/conformance/web"
  if [ ! -d "$web/node_modules/playwright-core" ]; then
    echo "setup: installing playwright-core"
    (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Debian's nodejs comes without npm; other builds of nodejs carry their own.
if ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  install_web_test_packages
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
apt_opts=(-y -q -o DPkg::Lock::Timeout=600)
echo "setup: installing ${missing[*]}"
$SUDO apt-get "${apt_opts[@]}" update
$SUDO apt-get "${apt_opts[@]}" install --no-install-recommends "${missing[@]}"
install_web_test_packages
