#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it. Its workspace (Data,
# XML, PDF, Schema, ...) is made beside the built executable.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRAMORA_BUILD:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build "$build" --parallel "$(nproc)" --target tramora tramora-check
exec "$build/bin/tramora"
