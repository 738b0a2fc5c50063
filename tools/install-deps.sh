#!/usr/bin/env bash
# Installs what Orbalin needs to build, run and test on Debian 12; installs nothing already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libgl-dev libjpeg62-turbo-dev libcups2-dev libzip-dev
    fonts-liberation
    libgtest-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth
    cups printer-driver-cups-pdf poppler-utils
    desktop-file-utils appstream lintian
    glabels-data
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
