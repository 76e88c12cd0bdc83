#!/usr/bin/env bash
# Copies the chosen pictures of a tour into the committed gallery; `./run gallery`
# calls it after the tour with the tour's folder and docs/gallery. Only a few
# pictures are kept in the repository, with the contact sheet of all of them;
# README.md shows them.
set -euo pipefail

usage="usage: refresh-gallery.sh TOUR_FOLDER GALLERY_FOLDER"
from=${1:?$usage}
to=${2:?$usage}
chosen=(signin-databases options-enforced explore-lookin explore-multiple history-sorted
        properties-checked-out progress message-question folder-picker contact-sheet)
limit=$((1536 * 1024))

for name in "${chosen[@]}"; do
    [ -f "$from/$name.png" ] || { echo "refresh-gallery: $from/$name.png is missing" >&2; exit 1; }
done
mkdir -p "$to"
rm -f "$to"/*.png
for name in "${chosen[@]}"; do cp "$from/$name.png" "$to/"; done

total=$(cat "$to"/*.png | wc -c)
echo "refresh-gallery: ${#chosen[@]} pictures, $((total / 1024)) KB in $to"
if [ "$total" -gt "$limit" ]; then
    echo "refresh-gallery: the gallery is over $((limit / 1024)) KB; choose fewer pictures" >&2
    exit 1
fi
