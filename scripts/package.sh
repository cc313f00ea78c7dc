#!/usr/bin/env bash
# Builds the release zip a player downloads, Tillervane-<version>.zip in
# build/package/, and checks it. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --workflow --preset package
ls build/package/Tillervane-*.zip
