#!/usr/bin/env bash
# Module code is device code: it may include the standard library, its own folders and entry/host only.
set -u
root=$1
bad=$(cd "$root" && grep -n -E '^\s*#\s*include' entry/*.cpp entry/*.h rules editors pfimport distances tolerance resources -r \
    --include='*.cpp' --include='*.h' 2>/dev/null |
    grep -v -E '#\s*include\s*<[a-z_0-9]+>' |
    grep -v -E '#\s*include\s*"(entry/host/|entry/[A-Za-z]+\.h|rules/|editors/|pfimport/|distances/|tolerance/|resources/)')
posix=$(cd "$root" && grep -n -E '#\s*include\s*<(unistd|dlfcn|pthread|sys/|curl|nlohmann|httplib|proj|boost)' -r \
    entry/*.cpp entry/*.h entry/host rules editors pfimport distances tolerance resources 2>/dev/null)
if [ -n "$bad$posix" ]; then
    echo "Module files include what the device would not have:"
    printf '%s\n' "$bad" "$posix" | sed '/^$/d'
    exit 1
fi
echo "module includes: ok"
