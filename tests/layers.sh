#!/usr/bin/env bash
# Fails when a file includes across a layer it must not see: the core sees no
# Qt, window or command-line header; no window sees the command line.
# usage: layers.sh SRC-FOLDER
set -u
src=${1:?usage: layers.sh SRC-FOLDER}
status=0
core=$(grep -rnE '^#include [<"](Q[A-Za-z]*[>/.]|Qt[A-Za-z]*/|ui/|cli/)' "$src/core")
if [ -n "$core" ]; then
    echo "src/core may include only the standard library and src/core headers:"
    echo "$core"
    status=1
fi
ui=$(grep -rnE '^#include "cli/' "$src/ui")
if [ -n "$ui" ]; then
    echo "src/ui may not include the command line (src/cli):"
    echo "$ui"
    status=1
fi
for folder in "$src"/ui/*/; do
    name=$(basename "$folder")
    [ "$name" = app ] || [ "$name" = platform ] && continue
    cross=$(grep -rnE '^#include "ui/' "$folder" | grep -vE "\"ui/($name|platform)/")
    if [ -n "$cross" ]; then
        echo "src/ui/$name may include only its own windows and src/ui/platform (reach others through Shell):"
        echo "$cross"
        status=1
    fi
done
plat=$(grep -rnE '^#include "ui/' "$src/ui/platform" | grep -v '"ui/platform/')
if [ -n "$plat" ]; then
    echo "src/ui/platform may include only the core and itself:"
    echo "$plat"
    status=1
fi
[ $status -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
