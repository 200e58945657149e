#!/usr/bin/env bash
# Configures and builds Quillary in Release into build/ (or $QUILLARY_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${QUILLARY_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$build_dir" --parallel "$(nproc)"
