#!/usr/bin/env bash
# Starts the program's main job from a build tree: the desktop window when it was built (with the
# given sample task, the first of the sample library, on the first start, before the program has
# saved its own "Current.zrk"), otherwise the command-line tool on the sample task.
set -euo pipefail
build=$1
sample=$2
app="$build/src/app/zrk"
if [ -x "$app" ]; then
  if [ -e "$(dirname "$app")/Current.zrk" ]; then
    exec "$app"
  fi
  exec "$app" "$sample"
fi
exec "$build/src/cli/zrk-cli" info "$sample"
