#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need.
set -eu
packages=(
    build-essential cmake pkg-config git clang-format
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools qt6-translations-l10n qt6-svg-dev libgl-dev
    libqt6sql6-psql libqt6sql6-odbc libqt6sql6-sqlite
    libsqlcipher-dev sqlcipher libsodium-dev
    unixodbc-dev tdsodbc odbc-postgresql
    postgresql nginx python3 curl
    fonts-arphic-uming fonts-arphic-ukai
    poppler-utils
    xdg-utils
    libsodium-dev libssl-dev openssl
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "All packages present."
    exit 0
fi
SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
# The server packages start their own services; the tests run private instances instead.
if command -v service >/dev/null 2>&1; then
    $SUDO service nginx stop >/dev/null 2>&1 || true
    $SUDO service postgresql stop >/dev/null 2>&1 || true
fi
