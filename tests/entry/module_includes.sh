#!/usr/bin/env bash
# Module code is device code, built in layers: the host interface at the bottom, resources and rules
# above it, the tool rooms above those, entry/ at the top. A file may include the standard library and
# the folders of its own layer and below; nothing of Linux, of the stand-in host or of a third party.
set -u
root=$1
cd "$root" || exit 2

# room: the folders its files may include
declare -A allowed=(
    [hostapi]="hostapi"
    [resources]="hostapi resources"
    [rules]="hostapi resources rules"
    [pfimport]="hostapi resources rules pfimport"
    [distances]="hostapi resources rules pfimport distances"
    [editors]="hostapi resources rules pfimport editors"
    [tolerance]="hostapi resources rules pfimport distances tolerance"
    [entry]="hostapi resources rules pfimport distances editors tolerance entry"
)

status=0
for room in "${!allowed[@]}"; do
    [ -d "$room" ] || continue
    pattern=$(printf '%s/|' ${allowed[$room]})
    bad=$(grep -rn -E '^\s*#\s*include' "$room" --include='*.cpp' --include='*.h' |
        grep -v -E '#\s*include\s*<[a-z_0-9]+>' |
        grep -v -E "#\s*include\s*\"(${pattern%|})")
    if [ -n "$bad" ]; then
        echo "$room/ may include only ${allowed[$room]} and the standard library:"
        printf '%s\n' "$bad"
        status=1
    fi
done
# The stand-in host is the platform alone: its own headers, the host interface and system or Debian
# libraries (<...>); neither module rooms nor the program's commands (app/).
bad=$(grep -rn -E '^\s*#\s*include\s*"' host --include='*.cpp' --include='*.h' |
    grep -v -E '#\s*include\s*"(host|hostapi)/')
if [ -n "$bad" ]; then
    echo "host/ may include only host/, hostapi/ and libraries:"
    printf '%s\n' "$bad"
    status=1
fi
[ $status -eq 0 ] && echo "module includes: ok"
exit $status
