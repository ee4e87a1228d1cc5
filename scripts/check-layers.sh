#!/usr/bin/env bash
# Fails when a source file includes a header of a layer above its own, or when the core or the
# command-line tool includes Qt. Usage: check-layers.sh [SOURCE_DIR] (default: src beside this
# script). Prints one line per wrong include, FILE:LINE: what is wrong.
#
# The arrows point down. A layer may include its own headers and those of the layers named here:
#   platform     nothing else
#   model        history (a dialog holds its history by value), platform
#   history      model, platform
#   projectfile  model, history, platform
#   codegen      projectfile, model, history, platform
#   render       model, history, platform
#   check        render, codegen, projectfile, model, history, platform
#   cli          every layer of the core
#   ui           every layer of the core
# Qt headers belong to ui only.
set -euo pipefail

src="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)}"
if [ ! -d "$src" ]; then
    echo "check-layers: no source folder \"$src\"" >&2
    exit 2
fi

core="platform model history projectfile codegen render check"
declare -A allowed=(
    [platform]="platform"
    [model]="model history platform"
    [history]="history model platform"
    [projectfile]="projectfile model history platform"
    [codegen]="codegen projectfile model history platform"
    [render]="render model history platform"
    [check]="check render codegen projectfile model history platform"
    [cli]="cli $core"
    [ui]="ui $core"
)
layers=" ${!allowed[*]} "

status=0
while IFS= read -r -d '' file; do
    relative="${file#"$src"/}"
    layer="${relative%%/*}"
    [ "$layer" = "$relative" ] && continue # a file directly in src/ belongs to no layer
    case "$layers" in *" $layer "*) ;; *) continue ;; esac
    mayUse=" ${allowed[$layer]} "
    line=0
    while IFS= read -r text || [ -n "$text" ]; do
        line=$((line + 1))
        [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\<\"])([^\>\"]+) ]] || continue
        target="${BASH_REMATCH[2]}"
        if [ "$layer" != ui ] && [[ "$target" =~ ^(Qt[A-Za-z]*/|Q[A-Z][A-Za-z0-9]*$|q[a-z0-9_]*\.h$) ]]; then
            echo "$file:$line: $layer may not include Qt (<$target>)"
            status=1
            continue
        fi
        # "../ui/x.h" names the same layer as "ui/x.h".
        while [[ "$target" == ../* ]]; do target="${target#../}"; done
        used="${target%%/*}"
        [ "$used" = "$target" ] && continue # a header beside the file, or a system header
        case "$layers" in *" $used "*) ;; *) continue ;; esac
        case "$mayUse" in
        *" $used "*) ;;
        *)
            echo "$file:$line: $layer may not include $used (\"$target\")"
            status=1
            ;;
        esac
    done <"$file"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) -print0 | sort -z)

exit $status
