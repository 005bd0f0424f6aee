#!/usr/bin/env bash
# The sixteen entry points are exported by their plain names.
set -eu
names=$(nm -D --defined-only "$1" | awk '{print $3}' | grep '^FPregeo' | sort)
count=$(printf '%s\n' "$names" | grep -c .)
printf '%s\n' "$names"
[ "$count" -eq 16 ] || { echo "expected 16 FPregeo exports, found $count"; exit 1; }
