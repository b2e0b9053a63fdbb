#!/usr/bin/env bash
# Checks the translations against the sources as they are now:
#   check-translations.sh template SOURCE_ROOT   every text is in po/tickerdeck.pot
#   check-translations.sh LANG SOURCE_ROOT       po/LANG.po translates every text, none fuzzy
# Both re-extract the texts, so a change that adds one without
# running scripts/update-po.sh fails here.
set -euo pipefail
what=$1
root=$(cd "$2" && pwd)
fresh=$(mktemp --suffix=.pot)
trap 'rm -f "$fresh"' EXIT
"$root/scripts/extract-texts.sh" "$fresh" "$root"

# msgcmp names the lines of the fresh template; show the texts on them.
compare() {
  local report
  if report=$(msgcmp "$@" 2>&1); then return 0; fi
  grep -o "^$fresh:[0-9]*" <<<"$report" | cut -d: -f2 | while read -r line; do
    echo "missing: $(awk -v n="$line" 'NR <= n && /^msgid/ { id = $0 } NR == n { print id }' "$fresh")" >&2
  done
  return 1
}

if [[ "$what" == template ]]; then
  # msgcmp names each text of the sources that the template lacks.
  if ! compare --use-untranslated "$root/po/tickerdeck.pot" "$fresh"; then
    echo "po/tickerdeck.pot lacks texts of the sources: run scripts/update-po.sh" >&2
    exit 1
  fi
  echo "template ok"
  exit 0
fi

catalogue=$root/po/$what.po
statistics=$(msgfmt --check --statistics -o /dev/null "$catalogue" 2>&1)
echo "$statistics"
if [[ "$statistics" == *fuzzy* || "$statistics" == *untranslated* ]]; then
  msgattrib --only-fuzzy --no-obsolete "$catalogue"
  msgattrib --untranslated --no-obsolete "$catalogue"
  echo "po/$what.po has fuzzy or untranslated texts" >&2
  exit 1
fi
# Untranslated here means: in the sources but not in the catalogue.
if ! compare "$catalogue" "$fresh"; then
  echo "po/$what.po lacks texts of the sources: run scripts/update-po.sh and translate them" >&2
  exit 1
fi
echo "po/$what.po ok"
