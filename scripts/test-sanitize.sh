#!/usr/bin/env bash
# Installs what is missing, builds the whole suite with the address and undefined-behaviour
# sanitizers, and runs it; any sanitizer report fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
