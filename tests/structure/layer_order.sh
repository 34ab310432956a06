#!/usr/bin/env bash
# The source folders are layers that point one way: a file includes its own layer and the layers
# below it, never one beside or above it. Run from the repository root.
set -u
declare -A rank=([core]=0 [physics]=1 [render]=1 [audio]=1 [ui]=2 [game]=3 [app]=4)
status=0
for file in src/*/*.h src/*/*.cpp; do
  layer=$(basename "$(dirname "$file")")
  [ -n "${rank[$layer]+x}" ] || { echo "$file: folder '$layer' is not a known layer"; status=1; continue; }
  while IFS= read -r used; do
    [ "$used" = "$layer" ] && continue
    if [ -z "${rank[$used]+x}" ] || [ "${rank[$used]}" -ge "${rank[$layer]}" ]; then
      echo "$file includes $used/, which is not below $layer/"
      status=1
    fi
  done < <(sed -n 's|^#include "\([a-z]*\)/.*"|\1|p' "$file" | sort -u)
done
[ "$status" -eq 0 ] && echo "every include points down the layers"
exit "$status"
