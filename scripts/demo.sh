#!/usr/bin/env bash
# Sets up the release build and runs the main job on the bundled sample project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" release
exec "$root/build/release/bin/pregeo-host" --project "$root/samples/demo" demo
