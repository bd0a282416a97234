#!/usr/bin/env bash
# Brings translations/i18n_*.ts in line with the texts in the code: new texts
# are added (unfinished), translations of kept texts stay, texts the code no
# longer uses are dropped. Then lists every message still to be translated.
#
#   bash tools/update-translations.sh        # all catalogues
#   LUPDATE=/path/to/lupdate bash tools/update-translations.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lupdate_bin="${LUPDATE:-lupdate}"

folders=()
while read -r folder; do
    case "$folder" in ''|'#'*) continue ;; esac
    if [ -d "$root/$folder" ]; then folders+=("$root/$folder"); fi
done < "$root/translations/scanned-folders.txt"

"$lupdate_bin" -silent -no-obsolete -locations none -source-language zh_CN \
    "${folders[@]}" -ts "$root"/translations/i18n_*.ts

python3 - "$root"/translations/i18n_*.ts <<'PY'
import re
import sys
import xml.etree.ElementTree as ET

# Simplified Chinese is the source language: its translation is the source.
for path in sys.argv[1:]:
    if path.endswith('/i18n_zh_cn.ts'):
        with open(path, encoding='utf-8') as file:
            text = file.read()
        text = re.sub(r'<source>([^<]*)</source>(\s*)<translation type="unfinished"></translation>',
                      r'<source>\1</source>\2<translation>\1</translation>', text)
        with open(path, 'w', encoding='utf-8') as file:
            file.write(text)

open_count = 0
for path in sys.argv[1:]:
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            translation = message.find('translation')
            text = ''.join(translation.itertext()) if translation is not None else ''
            kind = translation.get('type', '') if translation is not None else 'unfinished'
            if kind in ('unfinished', 'obsolete', 'vanished') or not text.strip():
                open_count += 1
                print(f"{path.rsplit('/', 1)[-1]}: {name}: {message.findtext('source')}")
print(f"{open_count} message(s) to translate" if open_count else "all catalogues complete")
sys.exit(1 if open_count else 0)
PY
