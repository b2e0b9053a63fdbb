#!/usr/bin/env bash
# Re-extracts the translatable texts into po/tickerdeck.pot and merges the
# template into every catalogue beside it (po/*.po). New texts arrive empty,
# changed ones as fuzzy: translate them, then `ctest -R translation` passes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/extract-texts.sh po/tickerdeck.pot
for catalogue in po/*.po; do
  msgmerge --quiet --update --backup=none --no-wrap --sort-by-file "$catalogue" po/tickerdeck.pot
  msgfmt --check --statistics -o /dev/null "$catalogue"
done
