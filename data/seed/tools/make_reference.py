"""Generates the starter reference base: ZYBD/FJX (formulae), ZYX (herbs), ZYNK (internal
medicine by syndrome), XYSM (western drug instructions) and fwqdz/JBZL (disease information
by department). Reference texts are stored as plain text; the initials columns (MCJS, YPJS)
are computed by the loader."""
from seedtsv import write_table
import reference_formulae as formulae
import reference_formula_texts as formula_texts
import reference_herbs as herbs
import reference_herb_texts as herb_texts
import reference_clinical as clinical


def category_of(categories, sub_code):
    top = sub_code // 100
    name, subs = categories[top]
    return top, name, sub_code, subs[sub_code]


def texts(table, name):
    """The entry's further texts; an empty one is stored as NULL."""
    return tuple(t or None for t in table[name])


def main():
    write_table('ZYBD', 'FJX',
                ['名称', '出处', 'DXDM', 'FJDL', 'XLDM', 'FJXL', 'FJZC', '组成', '用法', '功用', '主治', '方解',
                 '运用', '文献摘要', '临床报道'],
                [(name, source) + category_of(formulae.CATEGORIES, sub) + (herb_list, comp, usage, act, ind, ana)
                 + texts(formula_texts.FORMULA_TEXTS, name)
                 for name, source, sub, herb_list, comp, usage, act, ind, ana in formulae.FORMULAE])
    write_table('ZYBD', 'ZYX',
                ['名称', 'FY', 'DLDM', 'ZYDL', 'XLDM', 'ZYXL', '出处', '科属', '性能', '功效', '应用', '用法', '使用注意',
                 '鉴别用药', '古籍摘要', '附药'],
                [(name, alias or None) + category_of(herbs.CATEGORIES, sub) + (src, fam, nat, act, use, dose, care or None)
                 + texts(herb_texts.HERB_TEXTS, name)
                 for name, alias, sub, src, fam, nat, act, use, dose, care in herbs.HERBS])
    write_table('ZYBD', 'ZYNK', ['DXDM', '病名', 'XLDM', '分类', '证型', '症状', '治则', '方剂'],
                clinical.INTERNAL)
    write_table('ZYBD', 'XYSM', ['YPMC', 'YPSM'], clinical.DRUG_INSTRUCTIONS)
    write_table('fwqdz', 'JBZL', ['科室', 'SX', '诊断', '内容'], clinical.DISEASES)


if __name__ == '__main__':
    main()
