#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds with -Werror and the address and
# undefined-behaviour sanitizers, and runs every test with CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRAMORA_TEST_BUILD:-$root/build-test}"

"$root/scripts/install-deps.sh"
"$root/scripts/check-format.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRAMORA_STRICT=ON
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
TRAMORA_FUZZ_BUILD="$build/fuzz" "$root/scripts/fuzz-smoke.sh"
