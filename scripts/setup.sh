#!/usr/bin/env bash
# Installs what is missing (Debian packages only), then configures and builds one flavour:
#   scripts/setup.sh test     Debug with AddressSanitizer and UndefinedBehaviorSanitizer, tests included
#   scripts/setup.sh release  optimised build for the demo and the benchmarks
#   scripts/setup.sh fuzz     the libFuzzer targets of fuzz/, built with clang (docs/fuzzing.md)
set -euo pipefail
flavour=${1:-test}
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev rapidjson-dev
          libcurl4-openssl-dev libproj-dev proj-data libcpp-httplib-dev libboost-dev libcairo2-dev
          libfontconfig-dev fonts-dejavu-core libexpat1-dev libedit-dev libgdal-dev gdal-bin clang-14 libclang-rt-14-dev
          g++-mingw-w64-x86-64-posix chromium nodejs)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Some node packages bring npm along; Debian's comes apart.
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

case "$flavour" in
test)
    # The browser tests' driver, exactly as the lock file pins it; the browser is Debian's chromium.
    (cd "$root/tests/web" && { cmp -s package-lock.json node_modules/.installato 2>/dev/null || {
        npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.installato; }; })
    build="$root/build/test"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPREGEO_SANITIZE=ON -DPREGEO_TESTS=ON >/dev/null
    ;;
release)
    build="$root/build/release"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPREGEO_TESTS=OFF -DPREGEO_BENCH=ON >/dev/null
    ;;
fuzz)
    build="$root/build/fuzz"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
        -DPREGEO_FUZZ=ON -DPREGEO_TESTS=OFF -DPREGEO_TOOLS=OFF >/dev/null
    cmake --build "$build" --target fuzz
    exit 0
    ;;
*)
    echo "usage: $0 [test|release|fuzz]" >&2
    exit 2
    ;;
esac
cmake --build "$build"
