#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
if [ -x build/apps/demo/datewell-demo ]; then
  exec build/apps/demo/datewell-demo "$@"
fi
exec build/apps/host/datewell-host "${@:-examples/first-use.dws}"
