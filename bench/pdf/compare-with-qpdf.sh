#!/usr/bin/env bash
# Compares the page counter (through tramora-check --pages) with qpdf --show-npages on every
# PDF file of the corpus and prints each disagreement and the agreement rate.
#   compare-with-qpdf.sh TRAMORA-CHECK [FOLDER]
set -euo pipefail
check="$1"
folder="${2:-/tmp/pdfcorpus}"
mapfile -t files < <(find "$folder" -maxdepth 1 -name '*.pdf' | sort)
[[ ${#files[@]} -gt 0 ]] || { echo "no PDF file in $folder" >&2; exit 2; }

agree=0
total=0
while IFS=$'\t' read -r count path; do
    reference="$(qpdf --show-npages "$path" 2>/dev/null || echo -1)"
    total=$((total + 1))
    if [[ "$count" == "$reference" ]]; then
        agree=$((agree + 1))
    else
        printf 'differs: counter %s qpdf %s %s\n' "$count" "$reference" "$(basename "$path")"
    fi
done < <("$check" --pages "${files[@]}")
printf 'agreement: %d of %d files (%s%%)\n' "$agree" "$total" \
    "$(python3 -c "print(round(100 * $agree / $total, 1))")"
