#!/bin/bash
# The help pages: every link leads to a page that ships, every page is
# reached from its folder's index (and each folder's index from the one
# above), and the pages the programs open exist.
set -u
dir=${1:?help folder}
status=0
page_exists() { [ -f "$1" ] || [ -f "$1.in" ]; }
pages=$(cd "$dir" && find . -name '*.html' -o -name '*.html.in' | sed 's|^\./||; s|\.in$||' | sort -u)
for page in $pages; do
    file="$dir/$page"; [ -f "$file" ] || file="$file.in"
    here=$(dirname "$file")
    grep -q '<meta charset="UTF-8">' "$file" || { echo "$page: no UTF-8 charset"; status=1; }
    grep -q 'lang="ja"' "$file" || { echo "$page: not marked Japanese"; status=1; }
    for link in $(grep -o 'href="[^"#:]*"' "$file" | sed 's/href="//; s/"$//'); do
        page_exists "$here/$link" || { echo "$page: broken link $link"; status=1; }
    done
    folder=$(dirname "$page"); name=$(basename "$page")
    if [ "$name" = index.html ]; then
        [ "$folder" = . ] || grep -q "href=\"$folder/index.html\"" "$dir/$(dirname "$folder")/index.html" ||
            { echo "$page is not reached from the index above it"; status=1; }
    else
        grep -q "href=\"$name\"" "$dir/$folder/index.html" || { echo "$page is not reached from its index"; status=1; }
    fi
done
# Opened by the programs themselves.
for name in index.html latest.html schedule.html birthday.html options/index.html options/coholiday.html options/folder.html \
    options/env.html options/menu.html options/range.html options/date.html options/style.html options/design.html options/almanac.html \
    options/remind.html options/sync.html remind.html search.html year.html; do
    page_exists "$dir/$name" || { echo "missing $name"; status=1; }
done
grep -q '@TAVO_VERSION_TEXT@' "$dir/latest.html.in" || { echo "latest.html.in does not state the version"; status=1; }
exit $status
