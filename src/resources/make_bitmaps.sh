#!/usr/bin/env bash
# Draws the pictures of the language module with ImageMagick and writes them into
# resources/art/. The results are checked in, so a build needs no ImageMagick; run
# this again after changing a picture and commit the new files.
#
# Every bitmap is 24-bit with a magenta background: the program takes the colour of
# the top-left pixel as transparent, so magenta must appear nowhere else. Drawing
# is done without anti-aliasing for the same reason (no blended edge pixels).
#
# Dimension lines end in leaders that run to the right or top edge of a picture;
# the dialog templates place the matching number texts just outside that edge.
set -eu
out="$(cd "$(dirname "$0")" && pwd)/art"
mkdir -p "$out"

BG='#FF00FF'
LINER='#E6D3A3'  # backing paper
LABEL='#FFFFFF'
EDGE='#505050'
DIM='#1F4E9E'    # dimension lines
AREA='#8A8A8A'   # printable area
MARK='#000000'
FEED='#2E7D32'

# Arrow with heads at both ends: varrow x y1 y2 / harrow y x1 x2 (y1 < y2, x1 < x2).
varrow() {
    local x=$1 a=$2 b=$3
    echo "line $x,$a $x,$b polygon $x,$a $((x - 3)),$((a + 5)) $((x + 3)),$((a + 5)) polygon $x,$b $((x - 3)),$((b - 5)) $((x + 3)),$((b - 5))"
}
harrow() {
    local y=$1 a=$2 b=$3
    echo "line $a,$y $b,$y polygon $a,$y $((a + 5)),$((y - 3)) $((a + 5)),$((y + 3)) polygon $b,$y $((b - 5)),$((y - 3)) $((b - 5)),$((y + 3))"
}
# Feed direction: an arrow pointing down at x from y1 to y2.
feed() {
    local x=$1 a=$2 b=$3
    echo "line $x,$a $x,$b line $((x + 1)),$a $((x + 1)),$b polygon $((x - 4)),$((b - 7)) $((x + 5)),$((b - 7)) $((x + 1)),$b"
}

# draw FILE WIDTH HEIGHT then groups of: FILL STROKE "primitives"
draw() {
    local file=$1 w=$2 h=$3
    shift 3
    local args=()
    while [ $# -gt 0 ]; do
        args+=(-fill "$1" -stroke "$2" -draw "$3")
        shift 3
    done
    convert -size "${w}x${h}" "xc:$BG" +antialias -strokewidth 1 "${args[@]}" \
        -alpha off -type TrueColor "BMP3:$out/$file"
}

# 130: one label with its dimensions. Width and the side margins above (leaders to
# the top edge at x 20, 75, 130); length, top and bottom margin and gap at the
# right (leaders to the right edge at y 31, 67, 103, 122).
draw ruler.bmp 185 150 \
    "$LINER" "$EDGE" "rectangle 4,18 146,149" \
    "$LABEL" "$EDGE" "roundrectangle 10,22 140,112 5,5 roundrectangle 10,132 140,160 5,5" \
    none "$AREA" "stroke-dasharray 4 2 rectangle 30,40 120,94" \
    none "$DIM" "line 10,4 10,21 line 30,12 30,39 line 120,12 120,39 line 140,4 140,21
                 line 147,22 175,22 line 121,40 175,40 line 121,94 175,94 line 147,112 175,112 line 147,132 175,132" \
    "$DIM" "$DIM" "$(harrow 8 10 140) $(harrow 16 10 30) $(harrow 16 120 140)
                   $(varrow 158 22 112) $(varrow 170 22 40) $(varrow 170 94 112) $(varrow 170 112 132)" \
    none "$DIM" "line 20,0 20,16 line 75,0 75,8 line 130,0 130,16
                 line 158,67 184,67 line 170,31 184,31 line 170,103 184,103 line 170,122 184,122"

# 131, 132, 144: the three paper kinds, a strip fed downwards.
draw kind_label.bmp 120 90 \
    "$LINER" "$EDGE" "rectangle 30,0 90,89" \
    "$LABEL" "$EDGE" "roundrectangle 35,-10 85,20 4,4 roundrectangle 35,30 85,60 4,4 roundrectangle 35,70 85,100 4,4" \
    "$FEED" "$FEED" "$(feed 104 20 70)"
draw kind_roll.bmp 120 90 \
    "$LABEL" "$EDGE" "rectangle 30,14 90,89" \
    "$LINER" "$EDGE" "ellipse 60,12 32,10 0,360" \
    "$LINER" "$EDGE" "ellipse 60,12 10,4 0,360" \
    "$FEED" "$FEED" "$(feed 104 20 70)"
draw kind_mark.bmp 120 90 \
    "$LINER" "$EDGE" "rectangle 30,0 90,89" \
    "$LABEL" "$EDGE" "roundrectangle 35,-10 85,20 4,4 roundrectangle 35,30 85,60 4,4 roundrectangle 35,70 85,100 4,4" \
    "$MARK" "$MARK" "rectangle 86,18 90,30 rectangle 86,58 90,70" \
    "$FEED" "$FEED" "$(feed 104 20 70)"

# 143, 148: where the black mark lies against the label's leading edge (the top
# edge here); a dashed line carries the mark's leading edge across the label.
# 147, 149: the same offset for kinds without a mark. Leaders: offset to the right
# edge at y 31, mark length to the left edge at y 40.
mark_picture() {
    local file=$1 top=$2 mark_from=$3 mark_to=$4 with_mark=$5
    local off_a=$((mark_from < top ? mark_from : top)) off_b=$((mark_from < top ? top : mark_from))
    local off_mid=$(((off_a + off_b) / 2))
    local groups=(
        "$LINER" "$EDGE" "rectangle 16,0 104,89"
        "$LABEL" "$EDGE" "roundrectangle 22,-30 98,$((top - 10)) 4,4 roundrectangle 22,$top 98,$((top + 60)) 4,4"
        none "$AREA" "stroke-dasharray 4 2 line 22,$mark_from 98,$mark_from"
        none "$DIM" "line 105,$top 116,$top line 105,$mark_from 116,$mark_from"
        "$DIM" "$DIM" "$(varrow 112 "$off_a" "$off_b")"
        none "$DIM" "line 112,$off_mid 116,$off_mid line 116,$off_mid 116,31 line 116,31 119,31"
    )
    if [ "$with_mark" = yes ]; then
        local len_mid=$(((mark_from + mark_to) / 2))
        groups+=(
            "$MARK" "$MARK" "rectangle 16,$mark_from 21,$mark_to"
            none "$DIM" "line 15,$mark_from 4,$mark_from line 15,$mark_to 4,$mark_to"
            "$DIM" "$DIM" "$(varrow 8 "$mark_from" "$mark_to")"
            none "$DIM" "line 8,$len_mid 3,$len_mid line 3,$len_mid 3,40 line 3,40 0,40"
        )
    fi
    draw "$file" 120 90 "${groups[@]}"
}
mark_picture mark_positive.bmp 22 40 60 yes
mark_picture mark_negative.bmp 50 12 32 yes
mark_picture feed_positive.bmp 22 40 40 no
mark_picture feed_negative.bmp 50 12 12 no

# 140: virtual offsets move the printed image inside the label. Leaders: X to the
# bottom edge at x 90, Y to the right edge at y 40.
draw advanced.bmp 180 110 \
    "$LINER" "$EDGE" "rectangle 0,4 150,109" \
    "$LABEL" "$EDGE" "roundrectangle 10,10 140,100 5,5" \
    none "$AREA" "stroke-dasharray 4 2 rectangle 20,20 90,60" \
    '#CFE0F5' "$DIM" "rectangle 50,50 120,90" \
    none "$DIM" "line 20,20 20,44 line 50,46 50,50 line 90,20 165,20 line 120,50 165,50" \
    "$DIM" "$DIM" "$(harrow 40 20 50) $(varrow 160 20 50)" \
    none "$DIM" "line 35,40 35,104 line 35,104 90,104 line 90,104 90,109 line 160,35 179,35"

# 128: the program icon, a label printer with a label coming out.
icon_png() {
    local size=$1
    convert -size 48x48 xc:none +antialias \
        -fill '#3C4A5C' -stroke '#1E2733' -draw "roundrectangle 4,16 43,41 4,4" \
        -fill '#56677D' -stroke '#1E2733' -draw "roundrectangle 8,10 39,20 3,3" \
        -fill '#1E2733' -stroke '#1E2733' -draw "rectangle 10,28 37,30" \
        -fill "$LABEL" -stroke "$EDGE" -draw "rectangle 12,29 35,46" \
        -fill "$LINER" -stroke "$EDGE" -draw "rectangle 14,33 33,43" \
        -fill '#7CC242' -stroke '#4C8A1E' -draw "rectangle 36,35 40,38" \
        -resize "${size}x${size}" "$out/icon$size.png"
}
for s in 16 32 48; do icon_png $s; done
convert "$out/icon16.png" "$out/icon32.png" "$out/icon48.png" "$out/main.ico"
rm -f "$out"/icon*.png
echo "pictures written to $out"
