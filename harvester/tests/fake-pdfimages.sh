#!/bin/sh
# Stands in for the extractor in the tests: called as "-j PDF ROOT" like the
# real one, it follows the lines of the "PDF" (a text file):
#   image FILE   writes FILE as ROOT-NNN.<its extension>, NNN counting from 000
#   say TEXT     prints TEXT and a line feed
#   raw TEXT     prints TEXT with printf escapes (\r, \n, \NNN octal)
#   exit N       ends with status N
#   hang         waits until it is killed
[ "$1" = "-j" ] || { echo "fake-pdfimages: expected -j" >&2; exit 99; }
pdf=$2
root=$3
n=0
while IFS= read -r line || [ -n "$line" ]; do
  word=${line%% *}
  rest=${line#* }
  case "$word" in
    image)
      ext=${rest##*.}
      cp "$rest" "$(printf '%s-%03d.%s' "$root" "$n" "$ext")" || exit 98
      n=$((n + 1))
      ;;
    say) printf '%s\n' "$rest" ;;
    raw) printf "$rest" ;;
    exit) exit "$rest" ;;
    hang) exec sleep 1000 ;;
  esac
done < "$pdf"
exit 0
