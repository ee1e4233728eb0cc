#!/usr/bin/env bash
# Draws the editor's icons from Google's Material Icons (Apache-2.0) into resources/res/png/.
#
# scripts/make-icons.sh [--sheet]   (--sheet also writes resources/icons-work/contact-sheet.png)
#
# Each icon is a Material glyph, and where an action works on the keyboard chip, the keyboard
# glyph with a small round badge that tells the action. Colours: the glyphs are blue grey; badges
# and the few coloured glyphs say what kind of action it is (blue: move data or inform, green:
# run, red: destroy, amber: folders and tools).
set -euo pipefail
cd "$(dirname "$0")/.."

ICONS_PACKAGE="@material-design-icons/svg@0.14.15"
OUT=resources/res/png
WORK=resources/icons-work

sheet=0
for arg in "$@"; do
    case "$arg" in
        --sheet) sheet=1 ;;
        *) echo "usage: scripts/make-icons.sh [--sheet]" >&2; exit 2 ;;
    esac
done

tools=(librsvg2-bin)
[[ $sheet -eq 1 ]] && tools+=(imagemagick fonts-dejavu-core)
scripts/install-deps.sh "${tools[@]}"
command -v npm >/dev/null || scripts/install-deps.sh npm

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm pack --silent "$ICONS_PACKAGE" >/dev/null && tar xzf ./*.tgz)
MD="$tmp/package/filled"

# Palette (Material colours).
BASE="#37474F"   # blue grey 800
BLUE="#1976D2"   # blue 700
GREEN="#388E3C"  # green 700
RED="#D32F2F"    # red 700
AMBER="#F9A825"  # yellow 800
ORANGE="#EF6C00" # orange 800
TEAL="#00897B"   # teal 600
TILE="#ECEFF1"   # blue grey 50

# The inner markup of a Material glyph (its paths without the <svg> wrapper).
glyph() {
    sed -e 's/<svg[^>]*>//' -e 's/<\/svg>//' "$MD/$1.svg"
}

# glyph name, colour, x, y, size: the glyph placed in the 24-unit drawing. A thin white halo
# under the outline keeps the dark glyphs legible on a dark tool bar and vanishes on a light one.
place() {
    local scale
    scale=$(awk -v s="$5" 'BEGIN { printf "%.4f", s / 24 }')
    printf '<g fill="%s" stroke="#FFFFFF" stroke-width="1.2" stroke-linejoin="round" paint-order="stroke" transform="translate(%s %s) scale(%s)">%s</g>\n' \
        "$2" "$3" "$4" "$scale" "$(glyph "$1")"
}

# A glyph without the halo (the white glyphs inside the badges).
place_plain() {
    local scale
    scale=$(awk -v s="$5" 'BEGIN { printf "%.4f", s / 24 }')
    printf '<g fill="%s" transform="translate(%s %s) scale(%s)">%s</g>\n' \
        "$2" "$3" "$4" "$scale" "$(glyph "$1")"
}

# badge glyph, colour: a round badge in the lower right corner, cut out of what lies below by a
# white ring, with a white glyph in it.
badge() {
    printf '<circle cx="17.5" cy="17.5" r="6.5" fill="%s" stroke="#FFFFFF" stroke-width="1.3"/>\n' "$2"
    place_plain "$1" "#FFFFFF" 12.5 12.5 10
}

# The keyboard drawn a little up and left, so that a badge leaves most keys visible; its keys
# are white on any background.
keyboard() {
    printf '<rect x="1.5" y="2.5" width="17" height="12" fill="#FFFFFF"/>\n'
    place keyboard_alt "$BASE" -0.5 -2 22
}

svg() {
    printf '<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">\n%s\n</svg>\n' "$1"
}

# name, pixel size, svg markup
render() {
    svg "$3" >"$tmp/$1.svg"
    rsvg-convert --width "$2" --height "$2" --format png --output "$OUT/$1.png" "$tmp/$1.svg"
}

# The application icon: the keyboard with tools on a light tile, so that it reads on dark and
# light desktops alike.
app_icon() {
    printf '<rect x="0.5" y="0.5" width="23" height="23" rx="4.5" fill="%s" stroke="#B0BEC5" stroke-width="0.4"/>\n' "$TILE"
    place keyboard_alt "$BASE" 1 0 19
    badge build "$ORANGE"
}

mkdir -p "$OUT"
render insert-drive-file_32px 32 "$(place insert_drive_file "$BLUE" 0 0 24)"
render folder-open_32px 32 "$(place folder_open "$AMBER" 0 0 24)"
render folder-open-refresh_32px 32 "$(place folder_open "$AMBER" -0.5 -2 22; badge refresh "$BLUE")"
render save_32px 32 "$(place save "$BLUE" 0 0 24)"
render exit-to-app_32px 32 "$(place exit_to_app "$BASE" 0 0 24)"
render keyboard-alt-arrow-down_32px 32 "$(keyboard; badge arrow_downward "$BLUE")"
render keyboard-alt-arrow-up_32px 32 "$(keyboard; badge arrow_upward "$ORANGE")"
render keyboard-alt-delete_32px 32 "$(keyboard; badge close "$RED")"
render keyboard-alt-search_32px 32 "$(keyboard; badge search "$TEAL")"
render keyboard-alt-play_32px 32 "$(keyboard; badge play_arrow "$GREEN")"
render grid-on-delete_32px 32 "$(place grid_on "$BASE" -0.5 -0.5 21; badge close "$RED")"
render info_32px 32 "$(place info "$BLUE" 0 0 24)"
render forum_32px 32 "$(place forum "$TEAL" 0 0 24)"
render keyboard-alt-tools_32px 32 "$(app_icon)"
render keyboard-alt-tools_512px 512 "$(app_icon)"
render mv100_icon 32 "$(place memory "$BASE" 0 0 24)"
render legend-export_32px 32 "$(place grid_on "$BASE" -0.5 -0.5 21; badge save_alt "$BLUE")"
render legend-print_32px 32 "$(place grid_on "$BASE" -0.5 -0.5 21; badge print "$BLUE")"

# Smaller copies of the application icon for the desktop's icon theme.
mkdir -p packaging/icons
for size in 48 64 128 256; do
    rsvg-convert --width $size --height $size --format png \
        --output "packaging/icons/mv100-editor_${size}px.png" "$tmp/keyboard-alt-tools_512px.svg"
done

if [[ $sheet -eq 1 ]]; then
    mkdir -p "$WORK"
    # The real ImageMagick, not a stand-in that may come earlier in PATH.
    montage=/usr/bin/montage
    "$montage" -background '#FFFFFF' -font DejaVu-Sans -pointsize 9 -label '%t' \
        "$OUT"/*_32px.png "$OUT"/mv100_icon.png -filter point -resize 200% \
        -tile 6x -geometry +40+8 "$WORK/contact-sheet.png"
    "$montage" -background '#3C3F41' -fill '#FFFFFF' -font DejaVu-Sans -pointsize 9 -label '%t' \
        "$OUT"/*_32px.png "$OUT"/mv100_icon.png -filter point -resize 200% \
        -tile 6x -geometry +40+8 "$WORK/contact-sheet-dark.png"
    echo "Contact sheets: $WORK/contact-sheet.png, $WORK/contact-sheet-dark.png"
fi
echo "Icons written to $OUT"
