#!/usr/bin/env bash
# Sets up the sanitizer build and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" test
cd "$root/build/test"
ctest --output-on-failure --no-tests=error -j2
