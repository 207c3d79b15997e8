#!/usr/bin/env bash
# Installs what is missing, builds, and starts the dictionary.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/build.sh
exec build/bin/DoRori
