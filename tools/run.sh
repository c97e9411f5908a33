#!/usr/bin/env bash
# Starts the program's main job from a build tree: the desktop window when it was built,
# otherwise the command-line tool on the sample task.
set -euo pipefail
build=$1
sample=$2
if [ -x "$build/src/app/zrk" ]; then
  exec "$build/src/app/zrk"
fi
exec "$build/src/cli/zrk-cli" info "$sample"
