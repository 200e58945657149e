#!/usr/bin/env bash
# Installs the Debian packages Quillary builds, tests and runs with, when any is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools
    # qt_add_translations: the .ts files of translations/ are compiled into the application
    qt6-tools-dev
    libicu-dev libuchardet-dev zlib1g-dev libqrencode-dev
    libbenchmark-dev python3 time
    zbar-tools poppler-utils
    # the fonts printed address lists are set in headless: Latin, and Japanese for names read back from PDFs;
    # a Mincho face for the vertical writing of Japanese postcards
    fonts-dejavu-core fonts-droid-fallback fonts-ipaexfont-mincho
    xvfb xauth
    # the end of a launch's start-up notification when a second start hands its files over (X11)
    libxcb1-dev
    # Qt's own Japanese texts (standard dialogs and buttons)
    qt6-translations-l10n
    # the checks of the installed desktop entry, AppStream metadata and manual pages, the Debian
    # package's dependencies, and the renderer of the PNG icons from their SVG sources
    desktop-file-utils appstream groff-base dpkg-dev librsvg2-bin
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
