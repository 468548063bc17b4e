#!/usr/bin/env bash
# Fails when a file in src/ includes a file of a higher layer. The layers are the
# table in src/layers.txt. An include is looked up beside the including file
# first, then from src/; includes that name no file in src/ (Qt, the standard
# library, generated headers) are left alone.
#
# Usage: scripts/check-layers.sh [source folder]   (default: src beside this script)
set -euo pipefail

src=${1:-"$(cd "$(dirname "$0")/.." && pwd)/src"}
table=$src/layers.txt
if [[ ! -f $table ]]; then
  echo "check-layers: no layer table $table" >&2
  exit 2
fi
cd "$src"

files=$(mktemp)
includes=$(mktemp)
trap 'rm -f "$files" "$includes"' EXIT
find . -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sed 's|^\./||' | sort > "$files"
if [[ ! -s $files ]]; then
  echo "check-layers: no sources in $src" >&2
  exit 2
fi
# file:line:text of every include.
xargs -d '\n' grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]' < "$files" > "$includes" || true

awk -v table="$table" -v files="$files" '
  function layer(path,   p) {
    for (p = path; p != ""; p = (p ~ /\//) ? substr(p, 1, match(p, /\/[^\/]*$/) - 1) : "")
      if (p in layers) return layers[p]
    return 0
  }
  # Folds "." and ".." out of a relative path.
  function tidy(path,   n, i, part, out, k) {
    n = split(path, part, "/"); k = 0
    for (i = 1; i <= n; i++) {
      if (part[i] == "." || part[i] == "") continue
      if (part[i] == "..") { if (k > 0) k--; continue }
      out[++k] = part[i]
    }
    path = ""
    for (i = 1; i <= k; i++) path = path (i > 1 ? "/" : "") out[i]
    return path
  }
  BEGIN {
    while ((getline line < table) > 0) {
      sub(/#.*/, "", line); sub(/^[[:space:]]+/, "", line)
      if (split(line, f, /[[:space:]]+/) >= 2) layers[f[1]] = f[2] + 0
    }
    while ((getline line < files) > 0) exists[line] = 1
    for (name in exists)
      if (layer(name) == 0) {
        print "check-layers: " name " lies in no layer of src/layers.txt" > "/dev/stderr"
        bad = 1
      }
  }
  {
    file = $0; sub(/:.*/, "", file)
    rest = substr($0, length(file) + 2); no = rest; sub(/:.*/, "", no)
    target = rest; sub(/^[^"<]*["<]/, "", target); sub(/[">].*/, "", target)
    dir = file; if (dir ~ /\//) sub(/\/[^\/]*$/, "", dir); else dir = "."
    resolved = tidy(dir "/" target)
    if (!(resolved in exists)) { resolved = tidy(target); if (!(resolved in exists)) next }
    checked++
    own = layer(file); theirs = layer(resolved)
    if (theirs > own) {
      printf "%s:%s: includes %s (layer %d) from layer %d\n", file, no, resolved, theirs, own > "/dev/stderr"
      bad = 1
    }
  }
  END {
    if (bad) exit 1
    printf "check-layers: %d includes in src/ keep to the layers\n", checked
  }
' "$includes"
