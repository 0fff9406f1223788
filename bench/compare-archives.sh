#!/usr/bin/env bash
# Archives in and out against the usual tools, measured in one run:
#  - kvbtool import of a 200 MB stored CBZ  vs  unzip -o -q of it into a
#    folder followed by kvbtool pack of that folder
#  - kvbtool export of a 200 MB book  vs  zip -0 -q -r of the same pages as
#    files
set -u
BUILD=$1
SCRATCH=$2
KVBTOOL="$BUILD/tools/kvbtool/kvbtool"

. "$(dirname "$0")/timing.sh"

if ! command -v zip >/dev/null || ! command -v unzip >/dev/null; then
  echo "zip and unzip are needed for the archive rows: apt-get install zip unzip"
  exit 1
fi

# 200 MB of page files (content is not decoded by either side).
mkdir -p "$SCRATCH/pages" "$SCRATCH/unzipped"
for i in $(seq -w 1 100); do
  head -c 2097152 /dev/urandom > "$SCRATCH/pages/p$i.jpg"
done
"$KVBTOOL" pack "$SCRATCH/book.kvb" "$SCRATCH/pages" || { echo "kvbtool pack failed"; exit 1; }
(cd "$SCRATCH/pages" && zip -0 -q -r "$SCRATCH/pages.cbz" .) || { echo "zip failed"; exit 1; }
cat "$SCRATCH/book.kvb" "$SCRATCH/pages.cbz" "$SCRATCH"/pages/*.jpg > /dev/null   # warm the cache for both
# Timed on an idle disk: the files just made are written out first.
sync

t_import=$(best_of_s 5 "$KVBTOOL" import "$SCRATCH/pages.cbz" "$SCRATCH/imported.kvb") \
  || { echo "kvbtool import failed"; exit 1; }
t_unzip_pack=$(best_of_s 5 sh -c "unzip -o -q '$SCRATCH/pages.cbz' -d '$SCRATCH/unzipped' \
  && '$KVBTOOL' pack '$SCRATCH/peer.kvb' '$SCRATCH/unzipped'") || { echo "unzip + pack failed"; exit 1; }
echo "import of a 200 MB stored CBZ: kvbtool ${t_import}s, unzip + kvbtool pack ${t_unzip_pack}s, ratio $(ratio "$t_import" "$t_unzip_pack") (goal <= 1.3)"
report "kvbtool import of a 200 MB stored CBZ" "${t_import} s" "unzip -o -q into a folder + kvbtool pack: ${t_unzip_pack} s" \
  "$(ratio "$t_import" "$t_unzip_pack")" "<= 1.3"
if ! cmp -s <("$KVBTOOL" info --json "$SCRATCH/imported.kvb" | sed 's/"path":"[^"]*",//') \
            <("$KVBTOOL" info --json "$SCRATCH/peer.kvb" | sed 's/"path":"[^"]*",//'); then
  echo "the imported book differs from the packed one"; exit 1
fi
rm -rf "$SCRATCH/imported.kvb" "$SCRATCH/peer.kvb" "$SCRATCH/unzipped"
sync

t_export=$(best_of_s 5 "$KVBTOOL" export "$SCRATCH/book.kvb" "$SCRATCH/out.cbz") \
  || { echo "kvbtool export failed"; exit 1; }
# zip adds to an archive that is there: each run starts without one.
t_zip=$(best_of_s 5 sh -c "rm -f '$SCRATCH/peer.cbz' && cd '$SCRATCH/pages' && zip -0 -q -r '$SCRATCH/peer.cbz' .") \
  || { echo "zip failed"; exit 1; }
echo "export of a 200 MB book: kvbtool ${t_export}s, zip -0 -q -r ${t_zip}s, ratio $(ratio "$t_export" "$t_zip") (goal <= 1.3)"
report "kvbtool export of a 200 MB book" "${t_export} s" "zip -0 -q -r of the pages: ${t_zip} s" \
  "$(ratio "$t_export" "$t_zip")" "<= 1.3"
