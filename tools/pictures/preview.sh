#!/bin/sh
# Enlarged PNG previews of the built pictures, for reviewing an edit.
#   tools/pictures/preview.sh BUILD/pictures OUTDIR
# Needs ImageMagick's convert and identify. Icons and the masked history
# strip are shown over button-face grey; the tree bitmaps as stored (their
# white background becomes the window colour when loaded).
set -eu
in=${1:?usage: preview.sh PICTURES_DIR OUTDIR}
out=${2:?usage: preview.sh PICTURES_DIR OUTDIR}
convert=${CONVERT:-/usr/bin/convert}
identify=${IDENTIFY:-/usr/bin/identify}
face='#C0C0C0'
mkdir -p "$out"

for b in root folder; do
    "$convert" "$in/$b.bmp" -scale 1600% "$out/$b-x16.png"
done
"$convert" "$in/history_images.bmp" -scale 1000% "$out/history_images-x10.png"
"$convert" "$in/history_mask.bmp" -scale 1000% "$out/history_mask-x10.png"
# As an image list draws it: the image where the mask is black.
"$convert" "$in/history_images.bmp" \( "$in/history_mask.bmp" -negate \) -alpha off \
    -compose CopyOpacity -composite -background "$face" -compose over -flatten \
    -scale 1000% "$out/history_drawn-x10.png"

frames=""
for i in back back_gray up up_gray; do
    n=$("$identify" "$in/$i.ico" | wc -l)
    k=0
    while [ "$k" -lt "$n" ]; do
        size=$("$identify" -format '%w' "$in/$i.ico[$k]")
        scale=$((512 / size))
        "$convert" "$in/$i.ico[$k]" -background "$face" -flatten -scale "${scale}00%" \
            "$out/$i-$size-x$scale.png"
        frames="$frames $in/$i.ico[$k]"
        k=$((k + 1))
    done
done

# Everything at real size in one strip, and the strip enlarged 4 times.
# shellcheck disable=SC2086
"$convert" -background "$face" "$in/root.bmp" "$in/folder.bmp" $frames \
    -gravity center -extent 36x36 +append "$out/all-real-size.png"
"$convert" "$out/all-real-size.png" -scale 400% "$out/all-x4.png"
