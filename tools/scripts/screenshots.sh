#!/usr/bin/env bash
# Makes the README's pictures: each program's window at work on the demo
# library, written through the program's own --screenshot into docs/.
#   tools/scripts/screenshots.sh [--build DIR] [--suffix TEXT]
# --build: the build folder (default build/, after ./run.sh or ./test.sh).
# --suffix: put into every file name (docs/leafreader-en.png), for pictures
# of the windows in another language; the environment the script is started
# with (LANG, LANGUAGE) reaches the programs.
# The programs run offscreen with settings of their own, so neither the
# user's settings nor a running copy change the pictures.
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$ROOT/build
SUFFIX=
while [ $# -gt 0 ]; do
  case $1 in
    --build) BUILD=$(cd "$2" && pwd); shift 2 ;;
    --suffix) SUFFIX=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--suffix TEXT]" >&2; exit 2 ;;
  esac
done
LIBRARY=$BUILD/demo-library
[ -d "$LIBRARY" ] || { echo "$LIBRARY is missing: build the suite first (./run.sh or ./test.sh)" >&2; exit 1; }
command -v pdfimages >/dev/null || { echo "pdfimages is missing (Debian package poppler-utils)" >&2; exit 1; }
DOCS=$ROOT/docs
mkdir -p "$DOCS"

# A fixed folder, so the paths the windows show stay the same from run to run.
WORK=${TMPDIR:-/tmp}/velloran-demo
rm -rf "$WORK"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/config" "$WORK/data" "$WORK/work" "$WORK/Pages"
mkdir -m 700 "$WORK/runtime"
export XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data XDG_RUNTIME_DIR=$WORK/runtime
export QT_QPA_PLATFORM=offscreen VELLORAN_IGNORE_WINPOS=1

BOOK="$LIBRARY/Demo 01 - Harbour Notes.kvb"
cp -r "$LIBRARY/PDF" "$WORK/PDF"
cp "$BUILD/demo-pages/retouch/striped.png" "$WORK/striped.png"
"$BUILD/tools/kvbtool/kvbtool" unpack "$BOOK" "$WORK/Pages"

shot() { # PROGRAM ARGS...: the program's window into docs/PROGRAM.png
  local program=$1 out="$DOCS/$1$SUFFIX.png"
  shift
  (cd "$WORK" && "$BUILD/$program/$program" --screenshot "$out" "$@" 2>"$WORK/$program.log") \
    || { echo "$program: no screenshot" >&2; cat "$WORK/$program.log" >&2; exit 1; }
  echo "$out"
}

# Leafreader: the book open at the two-page picture (the cover, then two
# page turns).
shot leafreader --commands 32785,32785 "$BOOK"
# Glancer: a spread of the unbound scans, the sideways-stored scan turned
# upright by its Exif orientation.
shot glancer "$LIBRARY/Unbound scans/scan006.jpg"
# Bindery: the book with its pages, attributes and preview.
shot bindery "$BOOK"
# Harvester: Start pressed on the demo PDFs, their names taken as titles and
# leading numbers as dates; the picture shows the log once the run has ended.
mkdir -p "$XDG_CONFIG_HOME/Velloran"
printf '[Settings]\nNameAsTitle=1\nNumberAsDate=1\n' > "$XDG_CONFIG_HOME/Velloran/Harvester.ini"
shot harvester --commands 1005 --work "$WORK/work" "$WORK/PDF"
# Retoner: the book's pages registered, the first one previewed converted.
shot retoner "$WORK"/Pages/*
# Retouch: the demo page with stripes drawn into it.
shot retouch "$WORK/striped.png"
