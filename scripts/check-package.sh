#!/usr/bin/env bash
# Makes the .deb from ./build and checks it as Debian would: lintian must report no error, and the
# AppStream data must validate without the network.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target package
appstreamcli validate --no-net build/package/*.metainfo.xml
lintian --fail-on error build/dorori_*.deb
