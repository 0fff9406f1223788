#!/bin/sh
# Stands in for the extractor in the tests. Called as "-j -png PDF ROOT" (or
# "-j PDF ROOT") it extracts, as "-list PDF" it lists, like the real one,
# following the lines of the "PDF" (a text file). Each picture line takes the
# next image number NNN, counting from 000:
#   image FILE    listed as an image, written as ROOT-NNN.<its extension>
#   stencil FILE  the same, listed as a stencil
#   mask FILE     the same, listed as a soft mask
#   lost FILE     listed as an image, never written
#   extra FILE    written, never listed
# and, when extracting:
#   say TEXT     prints TEXT and a line feed
#   raw TEXT     prints TEXT with printf escapes (\r, \n, \NNN octal)
#   sleep SECS   waits that long
#   pid          prints "pid" and its process id
#   exit N       ends with status N
#   hang         waits until it is killed
# and, when listing:
#   listexit N   ends the listing with status N
if [ "$1" = "-list" ]; then
  list=1
  pdf=$2
else
  [ "$1" = "-j" ] || { echo "fake-pdfimages: expected -j or -list" >&2; exit 99; }
  shift
  [ "$1" = "-png" ] && shift
  list=
  pdf=$1
  root=$2
fi
[ -n "$list" ] && {
  echo "page   num  type   width height color comp bpc  enc interp  object ID x-ppi y-ppi size ratio"
  echo "--------------------------------------------------------------------------------------------"
}
n=0
while IFS= read -r line || [ -n "$line" ]; do
  word=${line%% *}
  rest=${line#* }
  case "$word" in
    image|stencil|mask|lost|extra)
      if [ -n "$list" ]; then
        case "$word" in
          mask) type=smask ;;
          stencil) type=stencil ;;
          extra) type= ;;
          *) type=image ;;
        esac
        [ -n "$type" ] && printf '%4d %5d %-7s %5d %5d  rgb     3   8  jpeg   no  %8d  0   150   150 1.0K 5.0%%\n' \
          1 "$n" "$type" 40 56 $((n + 5))
      elif [ "$word" != lost ]; then
        ext=${rest##*.}
        cp "$rest" "$(printf '%s-%03d.%s' "$root" "$n" "$ext")" || exit 98
      fi
      n=$((n + 1))
      ;;
    listexit) [ -n "$list" ] && exit "$rest" ;;
  esac
  [ -n "$list" ] && continue
  case "$word" in
    say) printf '%s\n' "$rest" ;;
    raw) printf "$rest" ;;
    sleep) sleep "$rest" ;;
    pid) echo "pid $$" ;;
    exit) exit "$rest" ;;
    hang) exec sleep 1000 ;;
  esac
done < "$pdf"
exit 0
