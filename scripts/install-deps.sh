#!/usr/bin/env bash
# Installs every Debian package that the build, the tests, make run, the benchmarks,
# the screenshots and make package need, each named: recommended packages are not installed, so
# nothing may come only as another package's recommendation.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  # the application icon is an SVG (Qt's SVG plugins); the toolbar takes its icons
  # from the Adwaita theme by their freedesktop names
  libqt6svg6 adwaita-icon-theme
  # the monitor's trend chart
  qt6-charts-dev libqt6opengl6-dev
  # the independent MODBUS peer: pymodbus only recommends the serial modules its
  # client and server import
  python3 python3-pymodbus python3-serial python3-serial-asyncio socat
  # a serial device server in front of the simulator, for the network lines' tests
  ser2net
  xvfb xauth
  # printing: metric stand-ins for the print fonts, and the PDF tools the tests read pages with
  fonts-liberation2 poppler-utils
  # the manual pages are checked with groff, the desktop entries with desktop-file-validate
  groff-base desktop-file-utils
  # make package: CPack finds the Depends with dpkg-shlibdeps (it looks at each file
  # with file), lintian checks the package
  dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
