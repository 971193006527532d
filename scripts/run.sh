#!/usr/bin/env bash
# Sets up this machine, builds Wordvane's tools and checks the shipped
# program folder (defaults/) the way Wordvane's start-up reads it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target wordvane-check
build/linux/tools/wordvane-check "${1:-defaults}"
