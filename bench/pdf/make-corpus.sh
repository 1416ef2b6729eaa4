#!/usr/bin/env bash
# Generates the agreement and benchmark corpus of real PDF files (1 to 500 pages, about
# 20 KB to 20 MB) into a folder outside the repository, by default /tmp/pdfcorpus:
# documents written by Ghostscript, then each rewritten by qpdf (object streams, linearized,
# both, classic tables only) and updated incrementally in place.
#   make-corpus.sh [FOLDER]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-/tmp/pdfcorpus}"
work="$out/.work"
mkdir -p "$out" "$work"

# Incompressible image samples make the size of a document a matter of choice.
[[ -s "$work/random.bin" ]] || head -c 25000000 /dev/urandom >"$work/random.bin"

# pages, total image bytes
documents=(
    "1 22000" "1 400000" "2 60000" "3 1200000" "5 30000" "8 2500000" "13 90000" "20 5000000"
    "35 150000" "50 8000000" "80 300000" "120 12000000" "200 600000" "300 19000000"
    "400 1000000" "500 3000000"
)

generate() {
    local pages="$1" bytes="$2" base="$3"
    local images=$((pages < 20 ? pages : 20))
    local side
    side=$(python3 -c "import math; print(max(8, int(math.sqrt($bytes / $images / 3))))")
    cat >"$work/$base.ps" <<PS
%!PS
/samples ($work/random.bin) (r) file def
1 1 $pages {
    /page exch def
    /Helvetica findfont 20 scalefont setfont
    72 720 moveto (Documento de teste, pagina ) show page 10 string cvs show
    72 690 moveto (Tramora corpus $base) show
    page $images le {
        gsave 72 100 translate 450 450 scale
        $side $side 8 [$side 0 0 $side neg 0 $side] samples false 3 colorimage
        grestore
    } if
    showpage
} for
PS
    gs -q -dNOPAUSE -dBATCH -dSAFER --permit-file-read="$work/" -sDEVICE=pdfwrite \
        -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode \
        -o "$out/$base-gs.pdf" "$work/$base.ps"
}

for document in "${documents[@]}"; do
    read -r pages bytes <<<"$document"
    base="$(printf 'd%03dp-%08db' "$pages" "$bytes")"
    [[ -s "$out/$base-gs.pdf" ]] || generate "$pages" "$bytes" "$base"
    source="$out/$base-gs.pdf"
    qpdf "$source" --object-streams=generate "$out/$base-objstm.pdf"
    qpdf "$source" --linearize "$out/$base-lin.pdf"
    qpdf "$source" --linearize --object-streams=generate "$out/$base-lin-objstm.pdf"
    qpdf "$source" --object-streams=disable "$out/$base-classic.pdf"
    qpdf "$source" --object-streams=generate --compress-streams=n "$out/$base-objstm-plain.pdf"
    "$here/incremental-update.py" catalog "$out/$base-classic.pdf" "$out/$base-upd-catalog.pdf"
    "$here/incremental-update.py" droppage "$out/$base-classic.pdf" "$out/$base-upd-droppage.pdf" \
        || rm -f "$out/$base-upd-droppage.pdf"
    "$here/incremental-update.py" droppage "$out/$base-lin.pdf" "$out/$base-lin-upd-droppage.pdf" \
        || rm -f "$out/$base-lin-upd-droppage.pdf"
    "$here/incremental-update.py" catalog "$out/$base-objstm.pdf" "$out/$base-objstm-upd-catalog.pdf"
done
rm -f "$work"/*.ps
ls "$out"/*.pdf | wc -l
