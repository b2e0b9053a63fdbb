#!/usr/bin/env bash
# Fails when a source file includes a folder above its own in the layering
#   contract -> controls -> model -> files -> layout -> store -> kit -> board
#            -> watchlist | commands | filter | colours | export | alert | dialogs -> plugin -> host
# (a folder includes only folders before it, plus itself), when one feature
# folder includes another, when contract/ includes anything of ours, or when
# host/ includes more of the plug-in than contract/, controls/ and
# files/DurableFile.h. A controls/ header is named with its folder: the
# library's folder is on every include path, so a bare name would slip
# past the layering. model/ stays free of the window toolkit: of wxWidgets
# it includes only the headers of strings, numbers, dates and translations.
set -euo pipefail

if [[ $# -ne 1 || ! -d "$1" ]]; then
  echo "usage: $0 <source root>" >&2
  exit 2
fi
cd "$1"

folders="contract controls model files layout store kit board watchlist commands filter colours export alert dialogs plugin host"
# shellcheck disable=SC2086
files=$(find $folders -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort || true)

# One awk pass: every file is read once; an include is looked up beside the
# including file first, as the compiler does, else from the source root.
# shellcheck disable=SC2086
awk -v folders="$folders" '
function normalize(path,    n, parts, i, out, depth) {
    n = split(path, parts, "/")
    depth = 0
    for (i = 1; i <= n; i++) {
        if (parts[i] == "" || parts[i] == ".") continue
        if (parts[i] == "..") { if (depth > 0) depth--; continue }
        out[++depth] = parts[i]
    }
    path = ""
    for (i = 1; i <= depth; i++) path = path (i > 1 ? "/" : "") out[i]
    return path
}
function top(path) { return substr(path, 1, index(path, "/") - 1) }
function allowed(from, to, path) {
    if (from == to || !(to in rank)) return 1
    if (from == "contract") return 0
    if (from == "host") return to == "contract" || to == "controls" || path == "files/DurableFile.h"
    return rank[to] < rank[from]
}
BEGIN {
    n = split(folders, order, " ")
    for (i = 1; i <= n; i++) rank[order[i]] = i
    rank["commands"] = rank["watchlist"]
    rank["filter"] = rank["watchlist"]
    rank["export"] = rank["watchlist"]
    rank["alert"] = rank["watchlist"]
    rank["dialogs"] = rank["watchlist"]
    rank["colours"] = rank["watchlist"]
    split("wx/defs.h wx/string.h wx/intl.h wx/translation.h wx/numformatter.h wx/datetime.h wx/tokenzr.h", free, " ")
    for (i in free) windowFree[free[i]] = 1
    while ((getline line < "/dev/stdin") > 0) exists[line] = 1
    for (file in exists) {
        dir = file; sub(/\/[^\/]*$/, "", dir)
        while ((getline line < file) > 0) {
            if (line !~ /^[ \t]*#[ \t]*include[ \t]*"/) continue
            path = line; sub(/^[^"]*"/, "", path); sub(/".*$/, "", path)
            beside = normalize(dir "/" path)
            resolved = (beside in exists) ? beside : normalize(path)
            if (!(beside in exists) && !index(path, "/") && top(file) != "controls" && (("controls/" path) in exists)) {
                printf "%s includes \"%s\": write controls/ headers as \"controls/%s\"\n", file, path, path > "/dev/stderr"
                failures++
                resolved = "controls/" path
            }
            to = index(resolved, "/") ? top(resolved) : top(file)
            if (!allowed(top(file), to, resolved)) {
                printf "%s includes \"%s\": %s/ may not include %s/\n", file, path, top(file), to > "/dev/stderr"
                failures++
            }
        }
        close(file)
    }
    for (file in exists) {
        if (top(file) != "model") continue
        while ((getline line < file) > 0) {
            if (line !~ /^[ \t]*#[ \t]*include[ \t]*<wx\//) continue
            header = line; sub(/^[^<]*</, "", header); sub(/>.*$/, "", header)
            if (!(header in windowFree)) {
                printf "%s includes <%s>: model/ stays free of the window toolkit\n", file, header > "/dev/stderr"
                failures++
            }
        }
        close(file)
    }
    if (failures > 0) {
        printf "%d include(s) against the folder layering\n", failures > "/dev/stderr"
        exit 1
    }
    print "ok: every include follows the folder layering"
}' <<< "$files"
