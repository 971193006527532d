#!/usr/bin/env bash
# Installs what building and testing Wordvane needs, from Debian's packages.
# Packages that are already there are not fetched again.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64
    wine wine64 xvfb xdotool
    fonts-ipafont-gothic
    nsis
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
