#!/usr/bin/env python3
"""Fills translations into a Qt Linguist .ts file.

usage: ts_fill.py FILE.ts 'source=translation' ...
       ts_fill.py FILE.ts --list        (prints the unfinished sources)
A source is matched in every context. Texts are written as given."""
import sys
import xml.etree.ElementTree as ET

path = sys.argv[1]
tree = ET.parse(path)
root = tree.getroot()
root.set('language', 'en_US')
root.set('sourcelanguage', 'zh_CN')
if sys.argv[2:] == ['--list']:
    for msg in root.iter('message'):
        tr = msg.find('translation')
        if tr is None or tr.get('type') == 'unfinished' or not (tr.text or '').strip():
            print(msg.findtext('source'))
    sys.exit(0)
pairs = dict(a.split('=', 1) for a in sys.argv[2:])
for msg in root.iter('message'):
    src = msg.findtext('source')
    if src in pairs:
        tr = msg.find('translation')
        tr.text = pairs[src]
        tr.attrib.pop('type', None)
tree.write(path, encoding='utf-8', xml_declaration=True)
