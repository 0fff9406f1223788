#!/usr/bin/env bash
# Builds the suite and runs every test. Exit status = the tests' result.
set -u
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/tools/scripts/setup.sh"

install_missing_packages || exit 1
configure_and_build || exit 1
cd "$ROOT/build" && ctest --output-on-failure -j2 --timeout 600
