#!/usr/bin/env bash
# Installs, only when missing, every Debian package the build and the tests need.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libshp-dev zlib1g-dev libminizip-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev liblapack-dev libeigen3-dev
  libproj-dev proj-data libgeographiclib-dev
  tzdata locales fonts-dejavu-core fonts-urw-base35 fonts-liberation2 fonts-noto-core
  python3-openpyxl poppler-utils python3-gsw
  libgsl-dev libnova-dev
)
# Reference programs that only regenerate checked-in test fixtures (the tests never run them):
# installed when SUITE_FIXTURE_TOOLS=1.
FIXTURE_PACKAGES=(
  gdal-bin shapelib geographiclib-tools proj-bin python3-ezdxf gpsd-clients python3-shapely
  python3-numpy python3-sympy python3-scipy imagemagick python3-astropy xtide-data tcd-utils
)
if [ "${SUITE_FIXTURE_TOOLS:-0}" = 1 ]; then
  PACKAGES+=("${FIXTURE_PACKAGES[@]}")
fi
# Peers that only the benchmarks time against (the product and the tests never link them):
# installed when SUITE_BENCH_TOOLS=1.
BENCH_PACKAGES=(libceres-dev)
if [ "${SUITE_BENCH_TOOLS:-0}" = 1 ]; then
  PACKAGES+=("${BENCH_PACKAGES[@]}")
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
