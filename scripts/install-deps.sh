#!/usr/bin/env bash
# Installs what building, running and testing the editor needs on Debian 12, and nothing when it
# is all there already. Extra package names given as arguments are installed too.
set -euo pipefail

packages=(
    build-essential
    cmake
    pkg-config
    qt6-base-dev
    qt6-base-dev-tools
    qt6-qpa-plugins
    qt6-tools-dev
    qt6-l10n-tools
    qt6-translations-l10n
    libhidapi-dev
    libgl-dev
    fonts-dejavu-core
    lintian
    desktop-file-utils
    appstream
    shared-mime-info
    dpkg-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
