#!/usr/bin/env bash
# Installs what is missing, builds the application against the demo central on this machine
# (scripts/demo-central), prepares a demo office in its workspace, starts both and stops the
# demo central when the application ends.
# Its workspace (Data, XML, PDF, Schema, ...) is made beside the built executable; what the
# demo central receives is kept in build/demo-central/recebidos.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRAMORA_BUILD:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DTRAMORA_CENTRAL_FTP_HOST=127.0.0.1 -DTRAMORA_CENTRAL_FTP_PORT=2122
cmake --build "$build" --parallel "$(nproc)" --target tramora tramora-check tramora-demo-workspace

# The demo office: CNS 123456, drop folders in the workspace and a few sets to send.
"$build/bin/tramora-demo-workspace" "$build/bin"

export TRAMORA_DEMO_DIR="$build/demo-central"
"$root/scripts/demo-central" start --ca-into "$build/bin/Data"
trap '"$root/scripts/demo-central" stop' EXIT
"$build/bin/tramora"
