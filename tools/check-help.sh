#!/bin/bash
# The help pages: every link leads to a page that ships, every page is
# reached from the index, and the pages the programs open exist.
set -u
dir=${1:?help folder}
status=0
page_exists() { [ -f "$dir/$1" ] || [ -f "$dir/$1.in" ]; }
for page in "$dir"/*.html "$dir"/*.html.in; do
    [ -f "$page" ] || continue
    grep -q '<meta charset="UTF-8">' "$page" || { echo "$page: no UTF-8 charset"; status=1; }
    grep -q 'lang="ja"' "$page" || { echo "$page: not marked Japanese"; status=1; }
    for link in $(grep -o 'href="[^"#:]*"' "$page" | sed 's/href="//; s/"$//'); do
        page_exists "$link" || { echo "$page: broken link $link"; status=1; }
    done
done
for page in "$dir"/*.html "$dir"/*.html.in; do
    name=$(basename "$page" .in)
    [ "$name" = index.html ] && continue
    grep -q "href=\"$name\"" "$dir/index.html" || { echo "$name is not reached from index.html"; status=1; }
done
# Opened by the programs themselves.
for name in index.html latest.html schedule.html birthday.html; do
    page_exists "$name" || { echo "missing $name"; status=1; }
done
grep -q '@TAVO_VERSION_TEXT@' "$dir/latest.html.in" || { echo "latest.html.in does not state the version"; status=1; }
exit $status
