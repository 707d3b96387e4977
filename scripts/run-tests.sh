#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (headless).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${ZV_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
# The browser tests' driver (playwright-core), from the committed lock file.
if [ ! -d "$ROOT/tests/web/e2e/node_modules" ]; then
  (cd "$ROOT/tests/web/e2e" && npm ci --no-audit --no-fund)
fi
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
