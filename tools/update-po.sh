#!/usr/bin/env bash
# Regenerates the message templates from the sources and brings every
# catalogue up to date with them (msgmerge, po4a), so that new texts show up
# in po/ja.po and po/man/ja.po untranslated, ready to be translated:
#
#   tools/update-po.sh                      # po/munyura.pot, po/man/munyura.pot, the .po files
#   tools/update-po.sh --templates-into DIR # only writes both templates into DIR
#
# po/munyura.pot holds the program's messages (desktop/, keyword Translated),
# the page's (web/page/*.js, keyword gettext), the menu entry's and the
# metainfo's; po/man/munyura.pot the manual page's paragraphs. The sources
# are named without line numbers, so the templates change only when a
# message does.
set -euo pipefail
cd "$(dirname "$0")/.."

into=po
if [ "${1:-}" = "--templates-into" ]; then
  into=$2
fi
mkdir -p "$into/man"

common=(--package-name=munyura --msgid-bugs-address=https://github.com/munyura/munyura/issues
  --copyright-holder="The ムニュラ developers" --from-code=UTF-8 --add-comments=TRANSLATORS: --sort-by-file --force-po --add-location=file)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

find desktop -name '*.cpp' -o -name '*.h' | LC_ALL=C sort > "$scratch/program"
xgettext "${common[@]}" --language=C++ --keyword= --keyword=Translated:1 \
  --files-from="$scratch/program" -o "$scratch/program.pot"
LC_ALL=C ls web/page/*.js > "$scratch/page"
xgettext "${common[@]}" --language=JavaScript --keyword= --keyword=gettext:1 \
  --files-from="$scratch/page" -o "$scratch/page.pot"
xgettext "${common[@]}" --language=Desktop packaging/munyura.desktop.in -o "$scratch/entry.pot"
xgettext "${common[@]}" --its=/usr/share/gettext/its/metainfo.its \
  packaging/munyura.metainfo.xml.in -o "$scratch/metainfo.pot"
msgcat --use-first --sort-by-file --add-location=file "$scratch"/{program,page,entry,metainfo}.pot -o "$scratch/all.pot"
# msgcat drops the template's header flags; xgettext's own header is put back.
sed -i 's/^"Content-Type: text\/plain; charset=.*\\n"$/"Content-Type: text\/plain; charset=UTF-8\\n"/' \
  "$scratch/all.pot"
cp "$scratch/all.pot" "$into/munyura.pot"

po4a_options=(--no-translations --porefs file --master-charset UTF-8 --localized-charset UTF-8 --msgid-bugs-address https://github.com/munyura/munyura/issues
  --package-name munyura --copyright-holder "The ムニュラ developers")
if [ "$into" = po ]; then
  for po in po/*.po; do
    msgmerge --quiet --update --backup=none --sort-by-file --add-location=file "$po" po/munyura.pot
  done
  po4a --force "${po4a_options[@]}" po/man/po4a.cfg
else
  # The same extraction into a copy, leaving the committed catalogues alone.
  sed "s#po/man/#$into/man/#g" po/man/po4a.cfg > "$scratch/po4a.cfg"
  cp po/man/*.po "$into/man/"
  po4a "${po4a_options[@]}" "$scratch/po4a.cfg"
fi
