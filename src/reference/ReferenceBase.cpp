#include "reference/ReferenceBase.h"

#include <QRegularExpression>

#include "common/Pinyin.h"
#include "reference/Decipher.h"
#include "store/Connection.h"

namespace qh::reference {

using store::Connection;
using store::DbFile;
using store::Row;
using store::Rows;

QString kindCaption(Kind kind) {
    switch (kind) {
    case Kind::Formula: return QStringLiteral("方剂");
    case Kind::Herb: return QStringLiteral("中药");
    case Kind::Internal: return QStringLiteral("中医内科");
    case Kind::WesternDrug: return QStringLiteral("西药说明");
    case Kind::Disease: return QStringLiteral("诊疗常规");
    }
    return QString();
}

std::optional<Kind> kindNamed(const QString& word) {
    static const QList<QPair<QString, Kind>> names = {
        {QStringLiteral("formula"), Kind::Formula},   {QStringLiteral("herb"), Kind::Herb},
        {QStringLiteral("internal"), Kind::Internal}, {QStringLiteral("drug"), Kind::WesternDrug},
        {QStringLiteral("disease"), Kind::Disease},
    };
    for (const auto& [name, kind] : names)
        if (name.compare(word, Qt::CaseInsensitive) == 0 || kindCaption(kind) == word) return kind;
    return std::nullopt;
}

QList<Kind> allKinds() { return {Kind::Formula, Kind::Herb, Kind::Internal, Kind::WesternDrug, Kind::Disease}; }

namespace {

DbFile fileOf(Kind kind) { return kind == Kind::Disease ? DbFile::Coding : DbFile::Reference; }

QString contains(const QString& text) { return QLatin1Char('%') + text + QLatin1Char('%'); }

QList<Entry> entries(const Rows& rows) {
    QList<Entry> list;
    for (const Row& row : rows) list.append({row.value(0).toInt(), row.value(1).toText()});
    return list;
}

QList<TreeNode> leaves(const Rows& rows) {
    QList<TreeNode> list;
    for (const Row& row : rows) {
        TreeNode n;
        n.level = TreeNode::Level::Entry;
        n.id = row.value(0).toInt();
        n.text = row.value(1).toText();
        list.append(n);
    }
    return list;
}

// The sub-category nodes the rows name: text and group from `nameColumn`, number from XLDM,
// the category's code from `codeColumn` (empty: the parent's, `parentCode`).
QList<TreeNode> subCategories(const Rows& rows, const QString& nameColumn, const QString& codeColumn, qint64 parentCode) {
    QList<TreeNode> list;
    for (const Row& r : rows) {
        TreeNode n;
        n.level = TreeNode::Level::SubCategory;
        n.text = n.group = r.text(nameColumn);
        n.code = codeColumn.isEmpty() ? parentCode : r.integer(codeColumn);
        n.subCode = r.integer(QStringLiteral("XLDM"));
        list.append(n);
    }
    return list;
}

// A heading and its value; every heading but the first starts a new line.
void addHeading(QString& text, const QString& heading, const QString& value) {
    if (!text.isEmpty()) text += QStringLiteral("\r\n");
    text += QStringLiteral("【") + heading + QStringLiteral("】") + value;
}

QString plain(const Row& row, const QString& column) { return row.text(column); }
QString enciphered(const Row& row, const QString& column) { return decipherText(row.value(column)); }

QStringList otherNames(const QString& fy) {
    QStringList names;
    for (const QString& n : fy.split(QRegularExpression(QStringLiteral("[,，]")), Qt::SkipEmptyParts))
        if (!n.trimmed().isEmpty()) names << n.trimmed();
    return names;
}

// The herb a formula names: the herb of that name, else the herb that lists the name among
// its other names, else (as the base has always looked it up) the first whose other names
// contain the text.
Row herbNamed(Connection& db, const QString& herb) {
    const Row exact = db.query(QStringLiteral("select * from ZYX WHERE 名称=?"), {herb}).first();
    if (exact.isValid()) return exact;
    const Rows aliased = db.query(QStringLiteral("select * from ZYX WHERE FY LIKE ? order by ID"), {contains(herb)});
    for (const Row& row : aliased)
        if (otherNames(row.text(QStringLiteral("FY"))).contains(herb)) return row;
    return aliased.first();
}

bool matches(const QString& name, const QString& wanted) {
    return name.contains(wanted, Qt::CaseInsensitive) ||
           text::searchInitials(name).contains(wanted, Qt::CaseInsensitive);
}

}  // namespace

QStringList ReferenceBase::formulaHerbs(const QString& fjzc) {
    // Herbs are separated by ","; a base typed with the full-width "，" reads the same.
    return otherNames(fjzc);
}

QList<TreeNode> ReferenceBase::roots(Kind kind) const {
    Connection db = Connection::open(files_, fileOf(kind));
    if (!db.isOpen()) return {};
    QList<TreeNode> list;
    auto category = [&list](qint64 code, const QString& text) {
        TreeNode n;
        n.code = code;
        n.text = text;
        n.group = text;
        list.append(n);
    };
    switch (kind) {
    case Kind::Formula:
        for (const Row& r : db.query(QStringLiteral("select DXDM,FJDL from FJX GROUP BY DXDM,FJDL ORDER BY DXDM")))
            category(r.integer(QStringLiteral("DXDM")), r.text(QStringLiteral("FJDL")));
        break;
    case Kind::Herb:
        for (const Row& r : db.query(QStringLiteral("select ZYDL,DLDM from ZYX GROUP BY ZYDL,DLDM ORDER BY DLDM")))
            category(r.integer(QStringLiteral("DLDM")), r.text(QStringLiteral("ZYDL")));
        break;
    case Kind::Internal:
        for (const Row& r : db.query(QStringLiteral("select DXDM,病名 from ZYNK GROUP BY DXDM,病名 ORDER BY DXDM")))
            category(r.integer(QStringLiteral("DXDM")), r.text(QStringLiteral("病名")));
        break;
    case Kind::Disease:
        for (const Row& r : db.query(QStringLiteral("select 科室,SX from jbzl group by 科室,SX order by SX")))
            category(r.integer(QStringLiteral("SX")), r.text(QStringLiteral("科室")));
        break;
    case Kind::WesternDrug:
        db.close();
        for (const Entry& e : search(kind, QString())) {
            TreeNode n;
            n.level = TreeNode::Level::Entry;
            n.id = e.id;
            n.text = e.name;
            list.append(n);
        }
        break;
    }
    return list;
}

QList<TreeNode> ReferenceBase::children(Kind kind, const TreeNode& node) const {
    if (node.isLeaf()) return {};
    Connection db = Connection::open(files_, fileOf(kind));
    if (!db.isOpen()) return {};
    const bool category = node.level == TreeNode::Level::Category;
    switch (kind) {
    case Kind::Formula:
        if (!category)
            return leaves(db.query(QStringLiteral("select ID,名称 from FJX where DXDM=? and FJXL=?"), {node.code, node.group}));
        return subCategories(db.query(QStringLiteral("select FJXL,DXDM,XLDM from FJX where DXDM=? "
                                                     "GROUP BY FJXL,DXDM,XLDM ORDER BY XLDM"),
                                      {node.code}),
                             QStringLiteral("FJXL"), QStringLiteral("DXDM"), node.code);
    case Kind::Herb:
        // A sub-category's herbs within its category: a base that numbers the sub-categories
        // of each category from 1 would otherwise mix herbs of different categories.
        if (!category)
            return leaves(db.query(QStringLiteral("select ID,名称 from ZYX  where DLDM=? and XLDM=? order by 名称"),
                                   {node.code, node.subCode}));
        // A category whose herbs all share one sub-category lists them directly.
        if (db.query(QStringLiteral("SELECT  ZYXL AS SL FROM ZYX WHERE  DLDM=? GROUP BY ZYXL"), {node.code}).size() < 2)
            return leaves(db.query(QStringLiteral("select ID,名称 from ZYX  where DLDM=? order by 名称"), {node.code}));
        return subCategories(
            db.query(QStringLiteral("select ZYXL,XLDM from ZYX  where DLDM=? GROUP BY ZYXL,XLDM order by XLDM"), {node.code}),
            QStringLiteral("ZYXL"), QString(), node.code);
    case Kind::Internal:
        if (!category)
            return leaves(db.query(QStringLiteral("select ID,证型 from ZYNK where DXDM=? and XLDM=?"),
                                   {node.code, node.subCode}));
        return subCategories(db.query(QStringLiteral("select 分类,DXDM,XLDM from ZYNK where DXDM=? "
                                                     "group by 分类,DXDM,XLDM ORDER BY XLDM"),
                                      {node.code}),
                             QStringLiteral("分类"), QStringLiteral("DXDM"), node.code);
    case Kind::Disease:
        return leaves(db.query(QStringLiteral("select 编号,诊断 from jbzl where 科室=? order  by 编号"), {node.group}));
    case Kind::WesternDrug:
        return {};
    }
    return {};
}

QList<Entry> ReferenceBase::search(Kind kind, const QString& text, InitialsMatch match) const {
    const QString wanted = text.trimmed();
    Connection db = Connection::open(files_, fileOf(kind));
    if (!db.isOpen()) return {};
    switch (kind) {
    case Kind::Formula:
        return entries(db.query(QStringLiteral("select ID,名称 from FJX WHERE MCJS like ? OR 名称 like ? order by 名称"),
                                {contains(wanted), contains(wanted)}));
    case Kind::Herb:
        return entries(db.query(QStringLiteral("select ID,名称 from ZYX WHERE 名称 like ? OR YPJS like ? order by 名称"),
                                {contains(wanted), contains(wanted)}));
    case Kind::WesternDrug:
        return entries(db.query(QStringLiteral("select ID,YPMC from XYSM WHERE YPJS like ? OR YPMC like ? order by YPMC"),
                                {match == InitialsMatch::AtStart ? wanted + QLatin1Char('%') : contains(wanted),
                                 contains(wanted)}));
    case Kind::Internal: {
        // The table keeps no initials: they are worked out from the names here.
        QList<Entry> list;
        for (const Row& r : db.query(QStringLiteral("select ID,病名,证型 from ZYNK order by DXDM,XLDM,ID"))) {
            const QString disease = r.text(QStringLiteral("病名")), type = r.text(QStringLiteral("证型"));
            if (matches(disease, wanted) || matches(type, wanted))
                list.append({r.integer(QStringLiteral("ID")), disease + QStringLiteral("—") + type});
        }
        return list;
    }
    case Kind::Disease: {
        QList<Entry> list;
        for (const Row& r : db.query(QStringLiteral("select 编号,诊断 from jbzl order by SX,编号")))
            if (matches(r.text(QStringLiteral("诊断")), wanted))
                list.append({r.integer(QStringLiteral("编号")), r.text(QStringLiteral("诊断"))});
        return list;
    }
    }
    return {};
}

QString ReferenceBase::detail(Kind kind, qint64 id) const {
    Connection db = Connection::open(files_, fileOf(kind));
    if (!db.isOpen()) return {};
    QString text;
    switch (kind) {
    case Kind::Formula: {
        const Row r = db.query(QStringLiteral("select * from FJX WHERE ID=?"), {id}).first();
        if (!r.isValid()) return {};
        addHeading(text, QStringLiteral("方名"), plain(r, QStringLiteral("名称")));
        addHeading(text, QStringLiteral("出处"), plain(r, QStringLiteral("出处")));
        addHeading(text, QStringLiteral("分类"), plain(r, QStringLiteral("FJDL")) + QStringLiteral("—") + plain(r, QStringLiteral("FJXL")));
        static const QList<QPair<QString, QString>> headings = {
            {QStringLiteral("组成"), QStringLiteral("组成")}, {QStringLiteral("用法"), QStringLiteral("用法")},
            {QStringLiteral("功用"), QStringLiteral("功用")}, {QStringLiteral("主治"), QStringLiteral("主治")},
            {QStringLiteral("方解"), QStringLiteral("方解")}, {QStringLiteral("运用"), QStringLiteral("运用")},
            {QStringLiteral("文献"), QStringLiteral("文献摘要")}, {QStringLiteral("临床报道"), QStringLiteral("临床报道")},
        };
        for (const auto& [heading, column] : headings) addHeading(text, heading, enciphered(r, column));
        return text;
    }
    case Kind::Herb: {
        const Row r = db.query(QStringLiteral("select * from ZYX WHERE ID=?"), {id}).first();
        if (!r.isValid()) return {};
        addHeading(text, QStringLiteral("药名"), plain(r, QStringLiteral("名称")));
        addHeading(text, QStringLiteral("出处"), plain(r, QStringLiteral("出处")));
        for (const char16_t* column : {u"科属", u"性能", u"功效", u"应用", u"用法", u"使用注意", u"鉴别用药"})
            addHeading(text, QString::fromUtf16(column), enciphered(r, QString::fromUtf16(column)));
        addHeading(text, QStringLiteral("古籍摘要"), plain(r, QStringLiteral("古籍摘要")));
        addHeading(text, QStringLiteral("附药"), plain(r, QStringLiteral("附药")));
        return text;
    }
    case Kind::Internal: {
        const Row r = db.query(QStringLiteral("select * from ZYNK WHERE ID=?"), {id}).first();
        if (!r.isValid()) return {};
        addHeading(text, QStringLiteral("病名"), plain(r, QStringLiteral("病名")));
        addHeading(text, QStringLiteral("分类"), plain(r, QStringLiteral("分类")) + QStringLiteral("——") + plain(r, QStringLiteral("证型")));
        addHeading(text, QStringLiteral("症状"), plain(r, QStringLiteral("症状")));
        addHeading(text, QStringLiteral("治则"), plain(r, QStringLiteral("治则")));
        addHeading(text, QStringLiteral("方剂"), plain(r, QStringLiteral("方剂")));
        return text;
    }
    case Kind::WesternDrug: {
        const Row r = db.query(QStringLiteral("select * from XYSM WHERE ID=?"), {id}).first();
        return r.isValid() ? enciphered(r, QStringLiteral("YPSM")) : QString();
    }
    case Kind::Disease: {
        const Row r = db.query(QStringLiteral("select * from JBZL where 编号=?"), {id}).first();
        return r.isValid() ? plain(r, QStringLiteral("内容")) : QString();
    }
    }
    return {};
}

QString ReferenceBase::formulaAnalysis(qint64 formulaId) const {
    Connection db = Connection::open(files_, DbFile::Reference);
    if (!db.isOpen()) return {};
    const Row f = db.query(QStringLiteral("select * from FJX WHERE ID=?"), {formulaId}).first();
    if (!f.isValid()) return {};
    QString text;
    addHeading(text, QStringLiteral("方名"), plain(f, QStringLiteral("名称")));
    addHeading(text, QStringLiteral("功用"), enciphered(f, QStringLiteral("功用")));
    addHeading(text, QStringLiteral("主治"), enciphered(f, QStringLiteral("主治")));
    addHeading(text, QStringLiteral("用法"), enciphered(f, QStringLiteral("用法")));
    text += QStringLiteral("\r\n━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ");
    for (const QString& herb : formulaHerbs(plain(f, QStringLiteral("FJZC")))) {
        const Row h = herbNamed(db, herb);
        if (!h.isValid()) continue;  // not in the base: no line
        text += QStringLiteral("\r\n【") + herb + QStringLiteral("】 ") + enciphered(h, QStringLiteral("功效"));
    }
    return text;
}

QString ReferenceBase::herbFormulae(qint64 herbId) const {
    Connection db = Connection::open(files_, DbFile::Reference);
    if (!db.isOpen()) return {};
    const Row h = db.query(QStringLiteral("select * from ZYX WHERE ID=?"), {herbId}).first();
    if (!h.isValid()) return {};
    const QString name = plain(h, QStringLiteral("名称"));
    QStringList names{name};
    names += otherNames(plain(h, QStringLiteral("FY")));
    QStringList likes;
    store::Params params;
    for (const QString& n : names) {
        likes << QStringLiteral("FJZC LIKE ?");
        params.push_back(contains(n));
    }
    const Rows rows = db.query(QStringLiteral("select * from FJX WHERE ") + likes.join(QStringLiteral(" OR ")) +
                                   QStringLiteral(" order by DXDM,FJXL"),
                               params);
    // A formula that names the herb (or one of its other names) as one of its herbs; a name
    // merely containing it ("地黄" in "熟地黄") counts only when nothing names it exactly.
    QList<Row> exact;
    for (const Row& r : rows) {
        const QStringList herbs = formulaHerbs(plain(r, QStringLiteral("FJZC")));
        for (const QString& n : names)
            if (herbs.contains(n)) {
                exact.append(r);
                break;
            }
    }
    QString text = QStringLiteral("【") + name + QStringLiteral("】 引用方剂\r\n——————————————————————\r\n");
    auto line = [&text](const Row& r) {
        text += r.text(QStringLiteral("FJDL")) + QStringLiteral(" ：") + r.text(QStringLiteral("FJXL")) +
                QStringLiteral("—") + r.text(QStringLiteral("名称")) + QStringLiteral("\r\n");
    };
    if (!exact.isEmpty()) {
        for (const Row& r : exact) line(r);
    } else {
        for (const Row& r : rows) line(r);
    }
    return text;
}

}  // namespace qh::reference
