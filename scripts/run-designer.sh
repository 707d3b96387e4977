#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the designer.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh" --target Zandrovel
exec "${ZV_BUILD_DIR:-$ROOT/build}/src/Zandrovel" "$@"
