#!/usr/bin/env python3
"""Appends one incremental update to a PDF file, as an editor saving in place would.

usage: incremental-update.py MODE IN OUT
  catalog   rewrites the catalog with one more entry (the page tree stays in the older section)
  droppage  rewrites the page-tree root without its last kid, when its kids are pages

The new section is a classic table when the file ends in one, a cross-reference stream
otherwise. Object texts come from qpdf --show-object.
"""
import re
import subprocess
import sys
import zlib


def show(path, what):
    return subprocess.run(['qpdf', f'--show-object={what}', path], check=True,
                          capture_output=True).stdout.decode('latin-1').strip()


def reference(text, key):
    found = re.search(re.escape(key) + r'\s+(\d+)\s+(\d+)\s+R', text)
    return int(found.group(1)) if found else None


def main():
    mode, source, target = sys.argv[1:4]
    data = open(source, 'rb').read()
    trailer = show(source, 'trailer')
    root = reference(trailer, '/Root')
    size = int(re.search(r'/Size\s+(\d+)', trailer).group(1))
    previous = int(re.findall(rb'startxref\s+(\d+)', data)[-1])
    catalog = show(source, str(root))
    if mode == 'catalog':
        number, text = root, catalog[:catalog.rindex('>>')] + ' /Lang (pt-BR) >>'
    elif mode == 'droppage':
        number = reference(catalog, '/Pages')
        tree = show(source, str(number))
        kids = re.search(r'/Kids\s*\[([^\]]*)\]', tree)
        refs = re.findall(r'(\d+)\s+\d+\s+R', kids.group(1))
        if len(refs) < 2 or any('/Type /Pages' in show(source, r) for r in refs):
            sys.exit(3)
        count = int(re.search(r'/Count\s+(\d+)', tree).group(1))
        kept = ' '.join(f'{r} 0 R' for r in refs[:-1])
        text = tree[:kids.start()] + f'/Kids [ {kept} ]' + tree[kids.end():]
        text = re.sub(r'/Count\s+\d+', f'/Count {count - 1}', text)
    else:
        sys.exit(2)

    out = bytearray(data)
    if not out.endswith(b'\n'):
        out += b'\n'
    offset = len(out)
    out += f'{number} 0 obj\n{text}\nendobj\n'.encode('latin-1')
    classic = data[previous:previous + 4] == b'xref'
    if classic:
        section = len(out)
        out += (f'xref\n0 1\n0000000000 65535 f \n{number} 1\n{offset:010d} 00000 n \n'
                f'trailer\n<< /Size {size} /Root {root} 0 R /Prev {previous} >>\n').encode()
    else:
        section = len(out)
        rows = bytes([1]) + offset.to_bytes(4, 'big') + bytes([0])
        rows += bytes([1]) + section.to_bytes(4, 'big') + bytes([0])
        body = zlib.compress(rows)
        out += (f'{size} 0 obj\n<< /Type /XRef /Size {size + 1} /Root {root} 0 R /Prev {previous}'
                f' /Index [{number} 1 {size} 1] /W [1 4 1] /Filter /FlateDecode'
                f' /Length {len(body)} >>\nstream\n').encode() + body + b'\nendstream\nendobj\n'
    out += f'startxref\n{section}\n%%EOF\n'.encode()
    open(target, 'wb').write(out)


if __name__ == '__main__':
    main()
