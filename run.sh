#!/usr/bin/env bash
# Builds the suite and starts its main job on the bundled demo library.
#   ./run.sh            the demo library: kvbtool info of its first book
set -u
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/tools/scripts/setup.sh"

install_missing_packages || exit 1
configure_and_build >/dev/null || configure_and_build || exit 1

BIN="$ROOT/build"
LIBRARY="$BIN/demo-library"
program=${1:-}
case "$program" in
  "")
    first=$(ls "$LIBRARY"/*.kvb | head -n 1)
    exec "$BIN/tools/kvbtool/kvbtool" info "$first"
    ;;
  *)
    echo "usage: ./run.sh" >&2
    exit 2
    ;;
esac
