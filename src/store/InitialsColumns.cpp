#include "store/InitialsColumns.h"

#include "common/Pinyin.h"

namespace qh::store {

const QList<InitialsColumn>& initialsColumns() {
    static const QList<InitialsColumn> list = {
        {DbFile::Main, "在院病人", "姓名检索", "姓名", InitialsRule::Bytes},
        {DbFile::Main, "疾病模板", "JSM", "名称1", InitialsRule::Bytes},
        {DbFile::Main, "示例病历", "JSM", "名称1", InitialsRule::Bytes},
        {DbFile::Main, "ddt_costitems", "xmsy", "xmmc", InitialsRule::Characters, true},
        {DbFile::Coding, "ICD10", "JSM", "ICDMC", InitialsRule::Characters},
        {DbFile::Coding, "ICD_10", "JSM", "ICDMC", InitialsRule::Characters},
        {DbFile::Coding, "ICD_SS", "JSM", "SSMC", InitialsRule::Characters},
        {DbFile::Coding, "ICD_WS", "JSM", "ICDMC", InitialsRule::Characters},
        {DbFile::Coding, "ICD_BL", "JSM", "ICDMC", InitialsRule::Characters},
        {DbFile::Reference, "FJX", "MCJS", "名称", InitialsRule::Characters},
        {DbFile::Reference, "ZYX", "YPJS", "名称", InitialsRule::Characters},
        {DbFile::Reference, "XYSM", "YPJS", "YPMC", InitialsRule::Characters},
    };
    return list;
}

const InitialsColumn* initialsColumnOf(const QString& table) {
    for (const auto& c : initialsColumns())
        if (c.table.compare(table, Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

QString initialsFor(const InitialsColumn& c, const QString& value) {
    return c.rule == InitialsRule::Bytes ? qh::text::pinyinInitials(value)
                                         : qh::text::searchInitials(value);
}

}  // namespace qh::store
