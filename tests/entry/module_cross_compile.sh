#!/usr/bin/env bash
# The module is device code: every source of its rooms, and the resource tables generated from the
# script, must compile for Windows against the host's declared interfaces alone. A syntax-only pass of
# the Windows cross compiler keeps anything of this platform out; a failure names the file.
set -u
root=$1
generated=$2
compiler=x86_64-w64-mingw32-g++-posix
command -v "$compiler" >/dev/null || { echo "missing $compiler (package g++-mingw-w64-x86-64-posix)"; exit 1; }
[ -f "$generated" ] || { echo "missing the generated resource tables: $generated"; exit 1; }
cd "$root" || exit 2

sources=$( { find entry rules editors pfimport distances tolerance resources -name '*.cpp'; echo "$generated"; } | sort)
failed=$(printf '%s\n' $sources | xargs -P 2 -I{} sh -c \
    "$compiler -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I '$root' '{}' >/tmp/cross.\$\$.log 2>&1 \
     || { echo '{}'; cat /tmp/cross.\$\$.log >&2; }; rm -f /tmp/cross.\$\$.log")
count=$(printf '%s\n' $sources | wc -l)
if [ -n "$failed" ]; then
    echo "does not compile for the device:"
    printf '  %s\n' $failed
    exit 1
fi
echo "module sources compiled for the device: $count"
