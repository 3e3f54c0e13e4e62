#!/usr/bin/env bash
# Installs, from Debian's packages, exactly what the project needs and the machine lacks.
# Does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
  g++ cmake make ninja-build pkg-config
  qt6-base-dev qt6-base-private-dev qt6-charts-dev libqt6opengl6-dev libxkbcommon-dev libgl-dev
  libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth
  python3 python3-olefile python3-xlrd poppler-utils
  libxml2-utils python3-lxml python3-html5lib xclip
  libreoffice-calc-nogui
)

# One query for all of them: a second `make test` should not wait on the package database.
installed=" $(dpkg-query -W -f='${db:Status-Abbrev}|${Package}\n' "${PACKAGES[@]}" 2>/dev/null |
  sed -n 's/^ii *|//p' | tr '\n' ' ' || true) "
missing=()
for p in "${PACKAGES[@]}"; do
  case "$installed" in
    *" $p "*) ;;
    *) missing+=("$p") ;;
  esac
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
