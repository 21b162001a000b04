#include "catalogue/Catalogue.h"

#include "common/DateText.h"
#include "common/Clock.h"
#include "common/NumericText.h"
#include "common/Pinyin.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::catalogue {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

store::Param numberParam(const QString& text) {
    const text::StrictNumber n = text::parseStrictNumber(text);
    return n.empty ? store::Param(nullptr) : store::Param(n.value);
}

// The search code as saved: typed, or the initials of the name when left empty.
QString searchCode(const Item& item) {
    const QString typed = item.initials.trimmed();
    return typed.isEmpty() ? text::searchInitials(item.name.trimmed()) : typed;
}

}  // namespace

QString categoryCode(int number) {
    return QStringLiteral("XMLB") + QString::number(number).rightJustified(3, u'0');
}

int categoryNumber(const QString& code) {
    const QString c = code.trimmed();
    if (!c.startsWith(u"XMLB")) return 0;
    bool ok = false;
    const int n = c.mid(4).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString Catalogue::caption() const {
    return mode_ == Mode::Fee ? QStringLiteral("新增费用") : QStringLiteral("新增药品");
}

Lists Catalogue::lists() const {
    Lists l;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return l;
    for (const store::Row& row : db.query(QStringLiteral("select * from adm_xmlb")))
        l.categories.append({row.text(QStringLiteral("xmmc")), categoryNumber(row.text(QStringLiteral("xmlb")))});
    for (const store::Row& row : db.query(QStringLiteral("select * from YWBM where SSBM='医技科室' or SSBM='药剂部门'")))
        l.departments << row.text(QStringLiteral("BMMC"));
    l.departments << QStringLiteral("临床科室");
    if (mode_ == Mode::Drug) {
        auto list = [&db](const QString& name) {
            QStringList items;
            for (const store::Row& row :
                 db.query(QStringLiteral("select * from xmzdb where 备注=? order by 参数值"), {name}))
                items << row.text(QStringLiteral("参数名称"));
            return items;
        };
        l.forms = list(QStringLiteral("药品剂型"));
        l.doseUnits = list(QStringLiteral("剂量单位"));
        l.drugClasses = list(QStringLiteral("药品分类"));
    }
    return l;
}

QVector<Found> Catalogue::search(SearchKind kind, const QString& text) const {
    QVector<Found> found;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return found;
    const QString like = store::sqlLikeContains(text.trimmed());
    const QString match = QStringLiteral("(xmsy like ? escape '\\' or xmmc like ? escape '\\')");
    store::Rows rows;
    switch (kind) {
    case SearchKind::WesternDrugs:
    case SearchKind::PatentDrugs:
    case SearchKind::Herbs: {
        const QString code = kind == SearchKind::WesternDrugs ? QStringLiteral("XMLB001")
                             : kind == SearchKind::PatentDrugs ? QStringLiteral("XMLB002")
                                                               : QStringLiteral("XMLB003");
        rows = db.query(QStringLiteral("SELECT * FROM ddt_costitems where xmlb=? and ") + match, {code, like, like});
        break;
    }
    case SearchKind::Materials:
        rows = db.query(QStringLiteral("SELECT * FROM view_ypzd WHERE (mc LIKE '%材料%' OR   mc LIKE '%耗料%') AND ") + match,
                        {like, like});
        break;
    case SearchKind::FeeItems:
        rows = db.query(QStringLiteral("SELECT * FROM view_ypzd WHERE mc not LIKE '%材料%' and   mc not  LIKE '%耗料%'  and "
                                       "(xmlb<>'XMLB001'and xmlb<>'XMLB002' and xmlb<>'XMLB003')  AND ") +
                            match + QStringLiteral(" order by xmmc"),
                        {like, like});
        break;
    }
    for (const store::Row& row : rows) {
        auto t = [&row](const char* c) { return row.text(QString::fromLatin1(c)); };
        found.append({row.integer(QStringLiteral("xmid")), t("xmmc"), t("xmgg"), t("xmdw"), t("xmdj"), t("jldw"),
                      t("jldj"), t("xmsx"), t("yblb"), t("xmzt")});
    }
    return found;
}

std::optional<Item> Catalogue::load(qint64 xmid) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const store::Rows rows = db.query(QStringLiteral("SELECT * FROM view_ypzd where  xmid= ?"), {xmid});
    if (rows.isEmpty()) return std::nullopt;
    const store::Row r = rows.first();
    auto t = [&r](const char* c) { return r.text(QString::fromLatin1(c)); };
    Item i;
    i.xmid = xmid;
    i.name = t("xmmc");
    i.initials = t("xmsy");
    i.type = t("xmlx");
    i.itCode = t("it_code");
    i.unit = t("xmdw");
    i.price = t("xmdj");
    i.doseUnit = t("jldw");
    i.dosePrice = t("jldj");
    i.insurance = t("yblb");
    i.category = categoryNumber(t("xmlb"));
    i.categoryName = t("mc");
    i.state = t("xmzt");
    i.spec = t("xmgg");
    i.wholesale = t("pfdj");
    i.ratio1 = t("clbl");
    i.ratio2 = t("plbl");
    i.form = t("ypjx");
    i.attribute = t("xmsx");
    i.dm = t("dm");
    i.gz = t("gz");
    i.cf = t("cf");
    i.zz = t("zz");
    i.skinTest = t("ps");
    i.defaultDose = t("yzjl");
    i.defaultDoseUnit = t("yzdw");
    return i;
}

QString Catalogue::statusText(const Item& item) const {
    if (item.state != u"Del") return QString();
    return mode_ == Mode::Fee ? QStringLiteral("此费用项目已禁止") : QStringLiteral("此药品已禁止");
}

bool Catalogue::checkNumbers(const Item& item, bool drug) const {
    struct Field {
        QString label, text;
        bool required;
    };
    QVector<Field> fields{{drug ? QStringLiteral("药品价格") : QStringLiteral("价格"), item.price, true},
                          {QStringLiteral("剂量单价"), item.dosePrice, true}};
    if (drug)
        fields << Field{QStringLiteral("批发价格"), item.wholesale, false}
               << Field{QStringLiteral("拆零比例"), item.ratio1, false}
               << Field{QStringLiteral("批零比例"), item.ratio2, false};
    for (const Field& f : fields) {
        const text::StrictNumber n = text::parseStrictNumber(f.text);
        if (!n.ok || (f.required && n.empty)) {
            ui_.messageBox(kTitle, QStringLiteral("【") + f.label + QStringLiteral("】必须填写数字，请检查后重新输入。"));
            return false;
        }
    }
    return true;
}

bool Catalogue::addFeeItem(const Item& item, qint64* xmid) {
    if (item.category <= 0) {
        ui_.messageBox(kTitle, QStringLiteral("项目尚未保存，请正确选择项目类别。"));
        return false;
    }
    if (!checkNumbers(item, false)) return false;
    const QString name = item.name.trimmed();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const store::ExecResult done = db.execute(
        QStringLiteral("INSERT INTO ddt_costitems (xmmc,xmsy,xmlx,xmdj,jldj,it_code,xmdw,xmlb,jldw,yblb,czsj,xmzt) values "
                       "(?,?,?,?,?,?,?,?,?,?,?,'OK')"),
        {name, searchCode(item), item.type.trimmed(), numberParam(item.price), numberParam(item.dosePrice),
         item.itCode.trimmed(), item.unit.trimmed(), categoryCode(item.category), item.doseUnit.trimmed(),
         item.insurance.trimmed(), dates::dateWithCurrentTimeText(Clock::now().date())});
    const bool ok = done.changed();
    if (ok && xmid) *xmid = done.insertedKey;
    ui_.messageBox(kTitle,
                   QStringLiteral("新添加项目【") + name + (ok ? QStringLiteral("】成功！") : QStringLiteral("】失败！")));
    return ok;
}

bool Catalogue::addDrug(const Item& item, qint64* xmid) {
    if (item.category <= 0) {
        ui_.messageBox(kTitle, QStringLiteral("药品尚未保存，请正确选择药品类别。"));
        return false;
    }
    if (!checkNumbers(item, true)) return false;
    const QString name = item.name.trimmed();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const store::ExecResult done = db.execute(
        QStringLiteral("INSERT INTO ddt_costitems (xmlx,xmmc,xmsy,xmgg,clbl,pfdj,plbl,xmdj,jldj,it_code,xmdw,xmlb,jldw,ypjx,"
                       "xmsx,yblb,czsj,dm,gz,cf,ps,zz,yzjl,yzdw,xmzt) values "
                       "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,'OK')"),
        {item.type.trimmed(), name, searchCode(item), item.spec.trimmed(), numberParam(item.ratio1),
         numberParam(item.wholesale), numberParam(item.ratio2), numberParam(item.price), numberParam(item.dosePrice),
         item.itCode.trimmed(), item.unit.trimmed(), categoryCode(item.category), item.doseUnit.trimmed(),
         item.form.trimmed(), item.attribute.trimmed(), item.insurance.trimmed(),
         dates::dateWithCurrentTimeText(Clock::now().date()), item.dm.trimmed(), item.gz.trimmed(), item.cf.trimmed(),
         item.skinTest.trimmed(), item.zz.trimmed(), item.defaultDose.trimmed(), item.defaultDoseUnit.trimmed()});
    const bool ok = done.changed();
    if (ok && xmid) *xmid = done.insertedKey;
    ui_.messageBox(kTitle,
                   QStringLiteral("新添加药品【") + name + (ok ? QStringLiteral("】成功！") : QStringLiteral("】失败！")));
    return ok;
}

bool Catalogue::save(const Item& item) {
    const bool drug = mode_ == Mode::Drug;
    if (item.xmid <= 0) return false;
    if (item.category <= 0) {
        ui_.messageBox(kTitle, drug ? QStringLiteral("药品尚未保存，请正确选择药品类别。")
                                    : QStringLiteral("项目尚未保存，请正确选择项目类别。"));
        return false;
    }
    if (!checkNumbers(item, drug)) return false;
    const QString name = item.name.trimmed();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    store::ExecResult done;
    if (!drug) {
        done = db.execute(QStringLiteral("UPDATE ddt_costitems SET xmmc=?,xmsy=?,xmdj=?,jldj=?,it_code=?,xmdw=?,xmlx=?,"
                                         "xmlb=?,jldw=?,yblb=? where xmid=?"),
                          {name, searchCode(item), numberParam(item.price), numberParam(item.dosePrice),
                           item.itCode.trimmed(), item.unit.trimmed(), item.type.trimmed(), categoryCode(item.category),
                           item.doseUnit.trimmed(), item.insurance.trimmed(), item.xmid});
    } else {
        done = db.execute(
            QStringLiteral("UPDATE ddt_costitems SET xmmc=?,xmsy=?,xmgg=?,clbl=?,pfdj=?,plbl=?,xmdj=?,jldj=?,it_code=?,"
                           "xmdw=?,xmlb=?,jldw=?,xmsx=?,ypjx=?,yblb=?,xmlx=?,yzjl=?,yzdw=?,dm=?,gz=?,cf=?,ps=?,zz=? "
                           "where xmid=?"),
            {name, searchCode(item), item.spec.trimmed(), numberParam(item.ratio1), numberParam(item.wholesale),
             numberParam(item.ratio2), numberParam(item.price), numberParam(item.dosePrice), item.itCode.trimmed(),
             item.unit.trimmed(), categoryCode(item.category), item.doseUnit.trimmed(), item.attribute.trimmed(),
             item.form.trimmed(), item.insurance.trimmed(), item.type.trimmed(), item.defaultDose.trimmed(),
             item.defaultDoseUnit.trimmed(), item.dm.trimmed(), item.gz.trimmed(), item.cf.trimmed(),
             item.skinTest.trimmed(), item.zz.trimmed(), item.xmid});
    }
    const bool ok = done.changed();
    ui_.messageBox(kTitle, (drug ? QStringLiteral("药品【") : QStringLiteral("项目【")) + name +
                               (ok ? QStringLiteral("】数据修改成功！") : QStringLiteral("】数据修改失败！")));
    return ok;
}

bool Catalogue::setState(qint64 xmid, const QString& state) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    return db.execute(QStringLiteral("UPDATE ddt_costitems SET xmzt=? where xmid=?"), {state, xmid}).changed();
}

bool Catalogue::disable(const Item& item) {
    const bool drug = mode_ == Mode::Drug;
    if (item.xmid <= 0) return false;
    if (item.state == u"Del") {
        ui_.messageBox(kAdminTitle, QStringLiteral("操作错误！") + kCrLf +
                                        (drug ? QStringLiteral("此药品已禁止") : QStringLiteral("此费用项目已禁止")));
        return false;
    }
    const QString question =
        drug ? QStringLiteral("你确定要禁止使用药品【") + item.name + QStringLiteral("】吗？") + kCrLf + kCrLf +
                   QStringLiteral("   注意：禁止后药品不可使用！")
             : QStringLiteral("你确定要禁止使用费用项目【") + item.name + QStringLiteral("】吗？") + kCrLf + kCrLf +
                   QStringLiteral("   注意：删除后药品不可使用！");
    if (!ui_.askOkCancel(kTitle, question)) return false;
    return setState(item.xmid, QStringLiteral("Del"));
}

bool Catalogue::enable(const Item& item) {
    const bool drug = mode_ == Mode::Drug;
    if (item.xmid <= 0) return false;
    if (item.state != u"Del") {
        ui_.messageBox(kAdminTitle, QStringLiteral("操作错误！") + kCrLf +
                                        (drug ? QStringLiteral("此药品为正常状态") : QStringLiteral("此费用项目为正常状态")));
        return false;
    }
    const QString question =
        (drug ? QStringLiteral("你确定要解除禁止   药品【") : QStringLiteral("你确定要解除禁止   费用项目【")) +
        item.name + QStringLiteral("】吗？") + kCrLf;
    if (!ui_.askOkCancel(kAdminTitle, question)) return false;
    return setState(item.xmid, QStringLiteral("OK"));
}

}  // namespace qh::catalogue
