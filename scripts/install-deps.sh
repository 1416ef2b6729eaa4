#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the application need
# and this machine lacks. Safe to run again: it installs nothing that is already there.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git clang-format
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libsqlcipher-dev libxml2-dev
    libcurl4-openssl-dev libzip-dev zlib1g-dev libssl-dev nlohmann-json3-dev
    python3 python3-pyftpdlib python3-openssl
    clang libclang-rt-14-dev qpdf libqpdf-dev ghostscript zip vsftpd tinyproxy openssl
    xvfb xdotool x11-apps imagemagick
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
