"""Writes seed tables in the loader's format: UTF-8, tab-separated, header line of column
names, the escapes \\t \\n \\r \\\\ inside a field, and an empty field for NULL."""
import os

SEED_DIR = os.path.normpath(os.path.join(os.path.dirname(__file__), '..'))


def escape(value):
    if value is None:
        return ''
    text = value if isinstance(value, str) else format_number(value)
    return (text.replace('\\', '\\\\').replace('\t', '\\t')
                .replace('\n', '\\n').replace('\r', '\\r'))


def format_number(value):
    if isinstance(value, bool):
        return '1' if value else '0'
    if isinstance(value, float):
        text = ('%.4f' % value).rstrip('0').rstrip('.')
        return text if text else '0'
    return str(value)


def write_table(stem, table, columns, rows):
    """Writes data/seed/<stem>/<table>.tsv; every row must have one value per column and
    every text must be representable in GBK, the code page the ward's texts are kept in."""
    path = os.path.join(SEED_DIR, stem, table + '.tsv')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    lines = ['\t'.join(columns)]
    for row in rows:
        if len(row) != len(columns):
            raise ValueError('%s: row %r has %d fields, header %d' % (table, row, len(row), len(columns)))
        fields = [escape(v) for v in row]
        for f in fields:
            f.encode('gbk')
        lines.append('\t'.join(fields))
    with open(path, 'w', encoding='utf-8', newline='\n') as out:
        out.write('\n'.join(lines) + '\n')
    return path
