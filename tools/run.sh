#!/usr/bin/env bash
# Starts the program's main job from a build tree: the desktop window when it was built, otherwise
# the command-line tool on the sample task. On the window's first start (before the program has
# saved its own "Current.zrk") the sample library is copied beside the program, so that the
# user's additions and new orders change that copy and not the shipped one, and the given task of
# the library is opened from there.
set -euo pipefail
build=$1
sample=$2
app="$build/src/app/zrk"
if [ -x "$app" ]; then
  dir=$(cd "$(dirname "$app")" && pwd)
  if [ -e "$dir/Current.zrk" ]; then
    exec "$app"
  fi
  case "$sample" in
    */ZRKTasks/*)
      library="${sample%%/ZRKTasks/*}/ZRKTasks"
      [ -d "$dir/ZRKTasks" ] || cp -r "$library" "$dir/ZRKTasks"
      exec "$app" "$dir/ZRKTasks/${sample#*/ZRKTasks/}"
      ;;
  esac
  exec "$app" "$sample"
fi
exec "$build/src/cli/zrk-cli" info "$sample"
