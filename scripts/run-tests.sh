#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (headless).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${ZV_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
