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

# Optional: clang and its libFuzzer runtime, for the in-process fuzzing that ./scripts/test runs
# when they are there. A machine where they cannot be installed still builds and tests the rest.
fuzzing=(clang libclang-rt-dev)

missing_of() {
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            echo "$package"
        fi
    done
}

mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_fuzzing < <(missing_of "${fuzzing[@]}")
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_fuzzing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_fuzzing[@]} -gt 0 ]; then
    echo "Installing for fuzzing: ${missing_fuzzing[*]}"
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing_fuzzing[@]}" \
        || echo "Fuzzing tools not installed: ./scripts/test will skip the fuzz targets."
fi
