#!/usr/bin/env bash
# Builds the libFuzzer targets of the PDF page counter with clang (apart from the gcc
# build: the counter needs Qt Core and zlib only), seeds them from the hand-made fixtures
# of tests/pdf and runs each for FUZZ_SECONDS (60 by default). Any crash, hang, leak or
# sanitizer report ends the script with a failure and leaves the input under artifacts/.
#   fuzz-smoke.sh               build, then run both targets one after the other
#   fuzz-smoke.sh --build-only  build and write the seeds only
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRAMORA_FUZZ_BUILD:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"
cxx="${FUZZ_CXX:-clang++}"

mkdir -p "$build/obj" "$build/artifacts" "$build/seeds/pagecount" "$build/seeds/pngfilter" \
    "$build/corpus/pagecount" "$build/corpus/pngfilter"

read -r -a qt <<<"$(pkg-config --cflags Qt6Core zlib)"
read -r -a libs <<<"$(pkg-config --libs Qt6Core zlib)"
flags=(-std=c++20 -g -O1 -fPIC -fno-omit-frame-pointer -I"$root/src" -I"$root/tests/pdf" "${qt[@]}"
    -DQT_NO_CAST_FROM_ASCII -DQT_NO_CAST_TO_ASCII -Wall -Wextra -Werror)
sanitizers=(-fsanitize=address,undefined -fno-sanitize-recover=all)

# The counter's own sources; the document rules beside them belong to the validation run.
objects=()
for source in "$root"/src/pdf/*.cpp; do
    [[ "$(basename "$source")" == PdfDocumentRules.cpp ]] && continue
    object="$build/obj/$(basename "$source" .cpp).o"
    "$cxx" "${flags[@]}" "${sanitizers[@]}" -fsanitize=fuzzer-no-link -c "$source" -o "$object"
    objects+=("$object")
done
for target in pdfpagecount pngfilter; do
    "$cxx" "${flags[@]}" "${sanitizers[@]}" -fsanitize=fuzzer \
        "$root/tests/pdf/fuzz/fuzz_$target.cpp" "${objects[@]}" "${libs[@]}" -o "$build/fuzz_$target"
done
"$cxx" "${flags[@]}" "$root/tests/pdf/fuzz/write_seeds.cpp" "$root/tests/pdf/PdfWriter.cpp" \
    "$root/tests/pdf/PdfFixtures.cpp" "${libs[@]}" -o "$build/write_seeds"
"$build/write_seeds" "$build/seeds/pagecount" "$build/seeds/pngfilter"

[[ "${1:-}" == --build-only ]] && exit 0

run() {
    local target="$1" corpus="$2"
    shift 2
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-60}" -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "$@" \
        "$build/corpus/$corpus" "$build/seeds/$corpus"
}
run pdfpagecount pagecount -dict="$root/tests/pdf/fuzz/pdf.dict"
run pngfilter pngfilter
