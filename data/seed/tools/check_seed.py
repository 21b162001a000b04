"""Checks every seed table: UTF-8, a header, the same number of fields on every line, texts
representable in GBK, no initials columns (the loader computes them), and reports formula
herbs that the herb table cannot resolve by name or other name."""
import glob
import os
import sys
from seedtsv import SEED_DIR

INITIALS = {'JSM', 'xmsy', 'MCJS', 'YPJS'}


def main():
    problems = 0
    tables = {}
    for path in sorted(glob.glob(os.path.join(SEED_DIR, '*', '*.tsv'))):
        with open(path, encoding='utf-8') as f:
            lines = f.read().split('\n')
        if lines[-1] == '':
            lines.pop()
        header = lines[0].split('\t')
        if INITIALS & set(header):
            print('%s: initials column in header' % path); problems += 1
        for n, line in enumerate(lines[1:], 2):
            if len(line.split('\t')) != len(header):
                print('%s:%d: %d fields, header has %d' % (path, n, len(line.split('\t')), len(header))); problems += 1
            try:
                line.encode('gbk')
            except UnicodeEncodeError as e:
                print('%s:%d: not GBK: %s' % (path, n, e)); problems += 1
        tables[os.path.basename(path)] = [dict(zip(header, l.split('\t'))) for l in lines[1:]]
        print('%-40s %5d rows' % (os.path.relpath(path, SEED_DIR), len(lines) - 1))
    known = set()
    for herb in tables.get('ZYX.tsv', []):
        known.add(herb['名称'])
        known.update(a for a in herb['FY'].split(',') if a)
    for formula in tables.get('FJX.tsv', []):
        missing = [h for h in formula['FJZC'].split(',') if h.strip() not in known]
        if missing:
            print('note: %s uses herbs not in ZYX: %s' % (formula['名称'], ','.join(missing)))
    sys.exit(1 if problems else 0)


if __name__ == '__main__':
    main()
