#!/usr/bin/env bash
# Builds the suite and starts its main job on the bundled demo library.
#   ./run.sh                     Leafreader on the demo library
#   ./run.sh leafreader [BOOK|FOLDER]
#   ./run.sh kvbtool [ARGS...]   (without arguments: info of the first demo book)
#   ./run.sh bindery [PATH...]   the book editor
#   ./run.sh glancer [IMAGE|FOLDER]   the folder previewer (default: the demo's unbound scans)
#   ./run.sh retoner             Retoner's window on the first demo book's pages
#   ./run.sh retoner --batch     the same pages through the batch mode (into build/retoner-demo/out)
#   ./run.sh retoner ARGS...     retoner itself (--batch --output DIR FILE..., --help)
#   ./run.sh harvester [ARGS...]  the batch packer (without arguments: on the demo PDFs)
#   ./run.sh retouch [IMAGE]     the stripe remover (without IMAGE: a demo page with stripes)
set -u
ROOT=$(cd "$(dirname "$0")" && pwd)
. "$ROOT/tools/scripts/setup.sh"

install_missing_packages || exit 1
configure_and_build >/dev/null || configure_and_build || exit 1

BIN="$ROOT/build"
LIBRARY="$BIN/demo-library"
program=${1:-}
case "$program" in
  ""|leafreader)
    [ $# -gt 0 ] && shift
    if [ $# -eq 0 ]; then
      exec "$BIN/leafreader/leafreader" "$LIBRARY"
    fi
    exec "$BIN/leafreader/leafreader" "$@"
    ;;
  kvbtool)
    shift
    if [ $# -eq 0 ]; then
      first=$(ls "$LIBRARY"/*.kvb | head -n 1)
      exec "$BIN/tools/kvbtool/kvbtool" info "$first"
    fi
    exec "$BIN/tools/kvbtool/kvbtool" "$@"
    ;;
  bindery)
    shift
    exec "$BIN/bindery/bindery" "$@"
    ;;
  glancer)
    shift
    if [ $# -eq 0 ]; then
      exec "$BIN/glancer/glancer" "$LIBRARY/Unbound scans"
    fi
    exec "$BIN/glancer/glancer" "$@"
    ;;
  retoner)
    shift
    # The pages of the first demo book, for the window and the batch demo.
    work="$BIN/retoner-demo"; rm -rf "$work"; mkdir -p "$work/pages" "$work/out"
    "$BIN/tools/kvbtool/kvbtool" unpack "$LIBRARY/Demo 01 - Harbour Notes.kvb" "$work/pages" || exit 1
    if [ $# -eq 0 ]; then
      exec "$BIN/retoner/retoner" "$work/pages"/*
    fi
    if [ "$*" = "--batch" ]; then
      exec "$BIN/retoner/retoner" --batch --output "$work/out" "$work/pages"/*
    fi
    exec "$BIN/retoner/retoner" "$@"
    ;;
  harvester)
    shift
    if [ $# -eq 0 ]; then
      # The demo library's PDFs and a work folder in the build, ready for Start.
      mkdir -p "$BIN/harvester-work"
      exec "$BIN/harvester/harvester" --work "$BIN/harvester-work" "$LIBRARY/PDF"
    fi
    exec "$BIN/harvester/harvester" "$@"
    ;;
  retouch)
    shift
    if [ $# -eq 0 ]; then
      exec "$BIN/retouch/retouch" "$BIN/demo-pages/retouch/striped.png"
    fi
    exec "$BIN/retouch/retouch" "$@"
    ;;
  *)
    echo "usage: ./run.sh [leafreader [BOOK|FOLDER] | bindery [PATH...] | glancer [IMAGE|FOLDER] | retoner [ARGS...] | harvester [ARGS...] | retouch [IMAGE] | kvbtool [ARGS...]]" >&2
    exit 2
    ;;
esac
