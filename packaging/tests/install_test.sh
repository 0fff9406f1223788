#!/usr/bin/env bash
# The installed suite as a desktop sees it.
#   install_test.sh BUILD PROBE STEP
# STEP: setup (installs into a fresh temporary prefix), tree, mime, desktop,
# thumbnailer, man, completion, progress, metainfo, package, lintian (of the package
# the package step made), cleanup. Exit 0 passed, 1 failed, 77 skipped (a
# tool the step needs is missing; the note says which package brings it).
set -u
BUILD=$(cd "$1" && pwd)
PROBE=$2
STEP=$3
PROGRAMS=(bindery leafreader harvester glancer retoner retouch)
STATE="$BUILD/packaging/test-prefix"   # names the prefix the setup made
DEBS="$BUILD/packaging/test-package"   # the package step's .deb, for lintian

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
skip() { echo "SKIP: $*"; exit 77; }
need() { command -v "$1" >/dev/null 2>&1 || skip "$1 is not installed (Debian package $2)"; }
finish() { [ "$failures" -eq 0 ] && echo "passed" && exit 0; exit 1; }

if [ "$STEP" = setup ]; then
  if [ -f "$STATE" ]; then rm -rf "$(cat "$STATE")"; fi
  PREFIX=$(mktemp -d /tmp/velloran-prefix.XXXXXX)
  echo "$PREFIX" > "$STATE"
  cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
  echo "installed into $PREFIX"
  exit 0
fi
[ -f "$STATE" ] || { echo "FAIL: no installed prefix (the setup step did not run)"; exit 1; }
PREFIX=$(cat "$STATE")
if [ "$STEP" = cleanup ]; then
  rm -rf "$PREFIX" "$STATE" "$DEBS"
  exit 0
fi
[ -d "$PREFIX/bin" ] || { echo "FAIL: $PREFIX/bin missing"; exit 1; }
SHARE="$PREFIX/share"
WORK=$(mktemp -d /tmp/velloran-desktop.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
# The desktop's view: the installed data first, the system's after it.
export XDG_DATA_HOME="$SHARE" XDG_DATA_DIRS="$SHARE:/usr/local/share:/usr/share"
export XDG_CONFIG_HOME="$WORK/config" XDG_CONFIG_DIRS="$WORK/config-dirs"
KVBTOOL="$PREFIX/bin/kvbtool"

# Books made by the installed kvbtool: one with a stored thumbnail, one
# without, and the second cut short.
make_books() {
  "$PROBE" picture 1240 1754 "$WORK/page1.jpg" && "$PROBE" picture 600 400 "$WORK/page2.jpg" \
    || { echo "FAIL: cannot draw pages"; exit 1; }
  "$KVBTOOL" pack --thumbnail --title "Thumb" "$WORK/thumb.kvb" "$WORK/page1.jpg" "$WORK/page2.jpg" >/dev/null \
    && "$KVBTOOL" pack "$WORK/plain.kvb" "$WORK/page1.jpg" "$WORK/page2.jpg" >/dev/null \
    || { echo "FAIL: the installed kvbtool cannot pack"; exit 1; }
  local size
  size=$(stat -c %s "$WORK/plain.kvb")
  head -c $((size - 100)) "$WORK/plain.kvb" > "$WORK/cut.kvb"
}

case "$STEP" in
tree)
  # Every built program and kvbtool in bin/; none looks into the build folder.
  expected=(kvbtool)
  for p in "${PROGRAMS[@]}"; do
    [ -x "$BUILD/$p/$p" ] && expected+=("$p")
  done
  for p in "${expected[@]}"; do
    exe="$PREFIX/bin/$p"
    if [ ! -x "$exe" ]; then fail "$p not installed in bin/"; continue; fi
    if command -v readelf >/dev/null 2>&1; then
      paths=$(readelf -d "$exe" | grep -E 'RPATH|RUNPATH')
      [[ "$paths" == *"$BUILD"* ]] && fail "$p searches libraries in the build folder: $paths"
    fi
  done
  extra=$(ls "$PREFIX/bin" | grep -vxF -f <(printf '%s\n' "${expected[@]}"))
  [ -z "$extra" ] || fail "unexpected files in bin/: $extra"
  # Each menu entry has its icon; the book type has its icon.
  for entry in "$SHARE"/applications/*.desktop; do
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -f "$SHARE/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$entry"): icon $icon not installed"
  done
  [ -f "$SHARE/icons/hicolor/scalable/mimetypes/application-x-kvb-book.svg" ] || fail "book icon not installed"
  # The English texts: installed, and found by an installed program asked
  # for English (it says so on standard error when it misses them).
  for p in "${expected[@]}"; do
    [ "$p" = kvbtool ] && continue
    [ -f "$SHARE/velloran/translations/${p}_en.qm" ] || fail "$p's English texts not installed"
  done
  if [ -x "$PREFIX/bin/glancer" ]; then
    err=$(cd "$WORK" && VELLORAN_LANG=en XDG_RUNTIME_DIR="$WORK" "$PREFIX/bin/glancer" --screenshot "$WORK/glancer-en.png" 2>&1 >/dev/null)
    [[ "$err" == *"texts are missing"* ]] && fail "the installed glancer does not find its English texts: $err"
    [ -s "$WORK/glancer-en.png" ] || fail "the installed glancer made no screenshot in English: $err"
  fi
  # Nothing outside bin/ and share/.
  others=$(ls "$PREFIX" | grep -vxE 'bin|share')
  [ -z "$others" ] || fail "installed outside bin/ and share/: $others"
  # The installed kvbtool works on its own.
  make_books
  "$KVBTOOL" verify "$WORK/thumb.kvb" >/dev/null || fail "installed kvbtool cannot read its own book"
  ;;
mime)
  need update-mime-database shared-mime-info
  out=$(update-mime-database "$SHARE/mime" 2>&1) || fail "update-mime-database failed: $out"
  [ -z "$out" ] || fail "update-mime-database reported: $out"
  make_books
  cp "$WORK/thumb.kvb" "$WORK/book.bin"
  cp "$WORK/thumb.kvb" "$WORK/noextension"
  printf 'KVB is not a book\n' > "$WORK/text.bin"
  got=$("$PROBE" mimetype "$WORK/thumb.kvb" "$WORK/book.bin" "$WORK/noextension" "$WORK/text.bin" | tr '\n' ' ')
  want="application/x-kvb-book application/x-kvb-book application/x-kvb-book"
  [[ "$got" == "$want "* ]] || fail "book, book.bin, noextension are: $got"
  [[ "$got" == *"application/x-kvb-book " ]] && fail "a text file is taken for a book: $got"
  grep -q 'xml:lang="ja"' "$SHARE/mime/packages/velloran-kvb.xml" || fail "no Japanese comment for the book type"
  ;;
desktop)
  need desktop-file-validate desktop-file-utils
  count=0
  for entry in "$SHARE"/applications/*.desktop; do
    [ -f "$entry" ] || continue
    count=$((count + 1))
    out=$(desktop-file-validate "$entry" 2>&1) || fail "$(basename "$entry"): $out"
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    program=${exec_line%% *}
    [ -x "$program" ] || [ -x "$PREFIX/bin/$program" ] || fail "$(basename "$entry") starts $program, which is not installed"
    grep -q '^Name\[ja\]=' "$entry" || fail "$(basename "$entry") has no Japanese name"
  done
  [ "$count" -ge 3 ] || fail "only $count menu entries installed"
  grep -q '^MimeType=.*application/x-kvb-book;' "$SHARE/applications/velloran-leafreader.desktop" \
    || fail "Leafreader does not declare books"
  grep -q '^MimeType=.*application/x-kvb-book;' "$SHARE/applications/velloran-bindery.desktop" \
    || fail "Bindery does not offer to open books"
  # Leafreader made the default for books, as the README says.
  if command -v xdg-mime >/dev/null 2>&1; then
    mkdir -p "$XDG_CONFIG_HOME"
    XDG_CURRENT_DESKTOP= xdg-mime default velloran-leafreader.desktop application/x-kvb-book
    got=$(XDG_CURRENT_DESKTOP= xdg-mime query default application/x-kvb-book)
    [ "$got" = "velloran-leafreader.desktop" ] || fail "xdg-mime default for books is '$got'"
  else
    echo "note: xdg-mime (xdg-utils) not installed; default handler not checked"
  fi
  ;;
thumbnailer)
  entry="$SHARE/thumbnailers/kvb.thumbnailer"
  [ -f "$entry" ] || { fail "kvb.thumbnailer not installed"; finish; }
  grep -q '^MimeType=application/x-kvb-book;' "$entry" || fail "thumbnailer not for books"
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  [[ "$exec_line" == "$PREFIX/bin/kvbtool "* ]] || fail "thumbnailer does not start the installed kvbtool: $exec_line"
  make_books
  # Runs the entry's command line as a file manager does.
  thumbnail() { # BOOK SIZE OUT
    local line=${exec_line//%s/$2}
    line=${line//%i/$1}
    line=${line//%o/$3}
    # shellcheck disable=SC2086
    $line
  }
  for case in "thumb.kvb 128" "thumb.kvb 64" "plain.kvb 256" "plain.kvb 128"; do
    read -r book size <<<"$case"
    out="$WORK/$book-$size.png"
    thumbnail "$WORK/$book" "$size" "$out" || { fail "$book at $size: exit $?"; continue; }
    read -r format dims <<<"$("$PROBE" size "$out")"
    w=${dims%x*}; h=${dims#*x}
    [ "$format" = png ] || fail "$book at $size: not a PNG ($format)"
    { [ "${w:-0}" -ge 1 ] && [ "$w" -le "$size" ] && [ "${h:-0}" -ge 1 ] && [ "$h" -le "$size" ]; } \
      || fail "$book at $size: $dims"
    # Tall pages fill the box's height.
    [ "${h:-0}" -eq "$size" ] || fail "$book at $size: $dims does not fill the height"
  done
  for bad in cut.kvb missing.kvb; do
    thumbnail "$WORK/$bad" 128 "$WORK/$bad.png" 2>/dev/null
    status=$?
    [ "$status" -eq 1 ] || fail "$bad: exit $status, not 1"
    [ -e "$WORK/$bad.png" ] && fail "$bad: a picture was written"
  done
  ;;
package)
  need cpack cmake
  need dpkg-deb dpkg
  need dpkg-shlibdeps dpkg-dev
  rm -rf "$DEBS"
  out=$(cd "$WORK" && cpack -G DEB -B "$DEBS" --config "$BUILD/CPackConfig.cmake" 2>&1) \
    || { fail "cpack failed: $out"; finish; }
  deb=$(ls "$DEBS"/*.deb 2>/dev/null | head -1)
  [ -n "$deb" ] || { fail "no .deb made: $out"; finish; }
  info=$(dpkg-deb --info "$deb")
  depends=$(printf '%s\n' "$info" | sed -n 's/^ Depends: //p')
  for want in 'libqt6core6' 'libqt6widgets6' 'libopencv-core' 'libjpeg' 'poppler-utils' 'fonts-noto-cjk' 'qt6-translations-l10n'; do
    [[ "$depends" == *"$want"* ]] || fail "Depends lacks $want: $depends"
  done
  printf '%s\n' "$info" | grep -q ' postinst' || fail "no postinst"
  postinst=$(dpkg-deb --ctrl-tarfile "$deb" | tar -xOf - ./postinst)
  [[ "$postinst" == *update-mime-database* && "$postinst" == *update-desktop-database* ]] \
    || fail "postinst does not update the MIME and desktop databases"
  contents=$(dpkg-deb --contents "$deb")
  for path in ./usr/bin/kvbtool ./usr/bin/leafreader ./usr/share/mime/packages/velloran-kvb.xml \
              ./usr/share/applications/velloran-leafreader.desktop ./usr/share/thumbnailers/kvb.thumbnailer; do
    [[ "$contents" == *" $path"* ]] || fail "package lacks $path"
  done
  thumbnailer=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/thumbnailers/kvb.thumbnailer)
  [[ "$thumbnailer" == *"Exec=/usr/bin/kvbtool thumbnail --size %s %i %o"* ]] \
    || fail "packaged thumbnailer: $thumbnailer"
  echo "$(basename "$deb"): $depends"
  ;;
lintian)
  # The package as Debian's checker sees it: no error, no warning.
  need dpkg-deb dpkg
  need lintian lintian
  deb=$(ls "$DEBS"/*.deb 2>/dev/null | head -1)
  [ -n "$deb" ] || { fail "no package to check (the package step did not make one)"; finish; }
  out=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) || fail "lintian:"$'\n'"$out"
  echo "$out"
  ;;
man)
  # Every command has its page, found by man as installed; it renders
  # without a warning, and names exactly the options its program's --help
  # names.
  need man man-db
  export MANPATH="$SHARE/man" MANWIDTH=80 LC_ALL=C.UTF-8
  options() { grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }
  for page in kvbtool "${PROGRAMS[@]}"; do
    exe="$PREFIX/bin/$page"
    [ -x "$exe" ] || continue
    file=$(man -w "$page" 2>&1) || { fail "man $page: $file"; continue; }
    [[ "$file" == "$SHARE/man/man1/$page.1.gz" ]] || fail "man $page finds $file"
    warnings=$(man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
    in_page=$(zcat "$file" | sed 's/\\-/-/g' | options)
    in_help=$("$exe" --help | options)
    [ "$in_page" = "$in_help" ] \
      || fail "$page.1 and $page --help name other options:"$'\n'"$(diff <(echo "$in_page") <(echo "$in_help"))"
  done
  # kvbtool's page names each of its commands.
  for command in $("$PREFIX/bin/kvbtool" --help | sed -n 's/^ *\(usage: \)\{0,1\}kvbtool \([a-z][a-z]*\).*/\2/p'); do
    zcat "$SHARE/man/man1/kvbtool.1.gz" | grep -qx "\.B $command" || fail "kvbtool.1 does not name the command $command"
  done
  file=$(man -w 5 kvb 2>&1) || fail "man 5 kvb: $file"
  warnings=$(man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "kvb.5: $warnings"
  ;;
completion)
  # Each command's completion as bash-completion loads it by the command's
  # name from the installed folder, on one partial word.
  loader=$(pkg-config --variable=completionsdir bash-completion 2>/dev/null)
  loader=${loader%/*}/bash_completion
  [ -f "$loader" ] || loader=/usr/share/bash-completion/bash_completion
  [ -f "$loader" ] || skip "bash_completion is not installed (Debian package bash-completion)"
  mkdir -p "$WORK/books/folder"
  touch "$WORK/books/book.kvb" "$WORK/books/notes.txt" "$WORK/books/page.jpg"
  # The completions of the last word, one a line, sorted.
  completions() {
    (cd "$WORK/books" && bash --norc --noprofile -c '
      . "$0" || exit 3
      __load_completion "$1" || exit 4
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      registered=$(complete -p "$1") || exit 5
      function=${registered#*-F }; function=${function%% *}
      "$function" "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}" | sort' "$loader" "$@")
  }
  expect() { # WANT WORDS...
    local want=$1 got
    shift
    got=$(completions "$@" | tr '\n' ' ')
    [ "$got" = "$want " ] || fail "completing '$*': '$got', not '$want '"
  }
  expect "verify" kvbtool ver
  # Every command kvbtool --help names.
  commands=$("$PREFIX/bin/kvbtool" --help | sed -n 's/^ *\(usage: \)\{0,1\}kvbtool \([a-z][a-z]*\).*/\2/p')
  expect "$(printf '%s\n' $commands --help --version | sort | tr '\n' ' ' | sed 's/ $//')" kvbtool ""
  expect "--decode" kvbtool verify --de
  expect "book.kvb folder" kvbtool info ""
  expect "book.kvb folder page.jpg" kvbtool pack --title T out.kvb ""
  [ -x "$PREFIX/bin/harvester" ] && expect "--subfolders" harvester --run 2 --sub
  [ -x "$PREFIX/bin/retoner" ] && expect "--classify" retoner --batch --cla
  [ -x "$PREFIX/bin/retouch" ] && expect "--quality --quiet" retouch --apply stripes.csv --qu
  ;;
progress)
  # On a terminal the long runs show their progress line and take it away
  # again; with --quiet they print their own lines only.
  need script bsdutils
  make_books
  mkdir -p "$WORK/folders/one" "$WORK/out"
  "$PROBE" picture 300 400 "$WORK/folders/one/a.jpg" && "$PROBE" picture 300 400 "$WORK/folders/one/b.jpg" \
    || { echo "FAIL: cannot draw pages"; exit 1; }
  printf 'column,all,r,g,b\n3,5,0,0,0\ngamma,4\n' > "$WORK/stripes.csv"
  on_terminal() { # COMMAND...: what the terminal showed
    local line
    line=$(printf '%q ' "$@")
    script -q -e -c "$line" /dev/null </dev/null | tr -d '\n'
  }
  runs=("$KVBTOOL pack $WORK/packed.kvb $WORK/page1.jpg $WORK/page2.jpg"
        "$KVBTOOL verify $WORK/thumb.kvb $WORK/plain.kvb")
  [ -x "$PREFIX/bin/retouch" ] \
    && runs+=("$PREFIX/bin/retouch --apply $WORK/stripes.csv --output $WORK/out $WORK/folders/one/a.jpg $WORK/folders/one/b.jpg")
  [ -x "$PREFIX/bin/retoner" ] \
    && runs+=("$PREFIX/bin/retoner --batch --output $WORK/out $WORK/folders/one/a.jpg $WORK/folders/one/b.jpg")
  [ -x "$PREFIX/bin/harvester" ] && runs+=("$PREFIX/bin/harvester --run 2 --yes $WORK/folders")
  for run in "${runs[@]}"; do
    # shellcheck disable=SC2086
    shown=$(on_terminal $run)
    [[ "$shown" =~ $'\r'[^$'\r']*[0-9]+/[0-9]+\ \ [0-9]+:[0-9]{2}\ elapsed ]] \
      || fail "no progress line: $run"$'\n'"$(printf %q "$shown")"
    [[ "$shown" == *$'\r\e[K'* ]] || fail "the progress line is not taken away: $run"
    # shellcheck disable=SC2086
    shown=$(on_terminal $run --quiet)
    [[ "$shown" != *$'\e[K'* ]] || fail "a progress line with --quiet: $run"$'\n'"$(printf %q "$shown")"
  done
  ;;
metainfo)
  # What software centres read: valid, and one for each menu entry, naming
  # its entry and its program.
  need appstreamcli appstream
  count=0
  for entry in "$SHARE"/applications/velloran-*.desktop; do
    [ -f "$entry" ] || continue
    count=$((count + 1))
    program=$(basename "$entry" .desktop)
    program=${program#velloran-}
    file="$SHARE/metainfo/org.velloran.$program.metainfo.xml"
    [ -f "$file" ] || { fail "no metainfo for $program"; continue; }
    grep -q "<launchable type=\"desktop-id\">velloran-$program.desktop</launchable>" "$file" \
      || fail "$program's metainfo does not name its menu entry"
    grep -q "<binary>$program</binary>" "$file" || fail "$program's metainfo does not name its program"
  done
  [ "$count" -ge 3 ] || fail "only $count menu entries installed"
  out=$(appstreamcli validate --no-net "$SHARE"/metainfo/*.metainfo.xml 2>&1) || fail "appstreamcli: $out"
  ;;
*)
  echo "unknown step $STEP"; exit 2 ;;
esac
finish
