#!/usr/bin/env bash
# Extracts every text a user reads into the template po/tessel-demo.pot, with
# xgettext: the core's and the front-ends' marked texts (_(), N_(), _n()),
# the desktop entry and the AppStream metadata; then merges the template
# into each catalogue of po/LINGUAS with msgmerge.
#
#   tools/update-po.sh           writes the template and merges the catalogues
#   tools/update-po.sh --check   fails when the template is not what the
#                                sources give (its date aside), a catalogue
#                                has an untranslated or fuzzy entry, or
#                                msgfmt --check finds a fault in one
set -euo pipefail
cd "$(dirname "$0")/.."

template() {
  local out="$1"
  local common=(--from-code=UTF-8 --add-location=file --sort-output --package-name=tessel-demo
    --copyright-holder="The Tessel Demo developers" --msgid-bugs-address="the Tessel Demo developers" --output="$out")
  git ls-files -- '*.cpp' '*.h' | grep -Ev '^(tests|fuzz|bench)/' |
    xgettext --files-from=- --language=C++ --keyword=_ --keyword=N_ --keyword=_n:1,2 \
      --add-comments=TRANSLATORS: "${common[@]}"
  xgettext --join-existing --language=Desktop --keyword=Name --keyword=GenericName \
    --keyword=Comment --keyword=Keywords "${common[@]}" data/tessel-demo.desktop.in
  # The metadata's name tells xgettext its rules (AppStream's metainfo.its).
  local folder
  folder="$(mktemp -d)"
  mkdir "$folder/data"
  cp data/tessel-demo.metainfo.xml.in "$folder/data/tessel-demo.metainfo.xml"
  xgettext --join-existing --directory="$folder" "${common[@]}" data/tessel-demo.metainfo.xml
  rm -r "$folder"
  sed -i -e 's/charset=CHARSET/charset=UTF-8/' "$out"
}

without_date() {
  grep -v '^"POT-Creation-Date: ' "$1"
}

if [ "${1:-}" = "--check" ]; then
  fresh="$(mktemp)"
  trap 'rm -f "$fresh"' EXIT
  template "$fresh"
  if ! diff -u <(without_date po/tessel-demo.pot) <(without_date "$fresh"); then
    echo "po/tessel-demo.pot is out of date with the sources: run tools/update-po.sh" >&2
    exit 1
  fi
  status=0
  while read -r language; do
    case "$language" in ''|\#*) continue ;; esac
    catalogue="po/$language.po"
    msgfmt --check --output-file=/dev/null "$catalogue" || status=1
    # Every text of the template, translated (msgcmp counts an untranslated
    # entry as missing).
    msgcmp "$catalogue" po/tessel-demo.pot || status=1
    for kind in untranslated only-fuzzy; do
      # msgattrib writes the header's entry before any it finds.
      left="$(msgattrib --"$kind" --no-obsolete "$catalogue" | grep -c '^msgid ' || true)"
      if [ "$left" -gt 1 ]; then
        echo "$catalogue: $((left - 1)) ${kind#only-} entries" >&2
        status=1
      fi
    done
  done < po/LINGUAS
  exit "$status"
fi

template po/tessel-demo.pot
while read -r language; do
  case "$language" in ''|\#*) continue ;; esac
  msgmerge --quiet --update --backup=none --no-fuzzy-matching --add-location=file \
    --sort-output "po/$language.po" po/tessel-demo.pot
done < po/LINGUAS
