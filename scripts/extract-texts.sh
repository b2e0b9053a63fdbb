#!/usr/bin/env bash
# Writes every translatable text of the board, the terminal and the terminal's
# XRC panels to a gettext template: extract-texts.sh OUTPUT.pot [SOURCE_ROOT]
# Keywords are the toolkit's translation macros; XRC labels come through wxrc.
set -euo pipefail
out=$1
root=$(cd "${2:-$(dirname "$0")/..}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$root"
# Tests, benchmarks, fuzz targets and the gallery show nothing to a user.
mapfile -t sources < <(
  { git ls-files -co --exclude-standard -- '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h'; } |
    sed 's|^\./||' | grep -Ev '^(tests|bench|fuzz|examples|build[^/]*|controls/gallery)/' | sort -u)
mapfile -t panels < <(find host/data -name '*.xrc' | sort)

for panel in "${panels[@]}"; do
  wxrc -g "$panel" -o "$work/$(basename "$panel").cpp"
done

xgettext --language=C++ --from-code=UTF-8 --add-comments=TRANSLATORS: \
  --keyword=_ --keyword=wxTRANSLATE --keyword=wxPLURAL:1,2 \
  --keyword=wxGETTEXT_IN_CONTEXT:1c,2 --keyword=wxGETTEXT_IN_CONTEXT_PLURAL:1c,2,3 \
  --keyword=wxTRANSLATE_IN_CONTEXT:1c,2 --keyword=wxGetTranslation \
  --add-location=file --package-name=tickerdeck --msgid-bugs-address=tickerdeck@example.org --sort-by-file \
  --output="$work/texts.pot" "${sources[@]}" "$work"/*.cpp
[[ -s "$work/texts.pot" ]] || { echo "xgettext found no texts" >&2; exit 1; }
# The panels' generated file lives in a temporary folder; name the XRC instead.
sed -i "s|#: $work/\([^ :]*\)\.cpp|#: host/data/\1|g" "$work/texts.pot"
# The date would make every regeneration a change of its own.
sed -i '/^"POT-Creation-Date:/d' "$work/texts.pot"
cp "$work/texts.pot" "$out"
