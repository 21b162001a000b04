#include "frontpage/FrontPagePrint.h"

#include <cmath>

#include "frontpage/FrontPageColumns.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/NamedFields.h"
#include "records/editor/RecordDocument.h"
#include "store/Connection.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

QString frontPageTemplateName(int format) { return format == 1 ? u"XYSY"_s : u"ZYSY"_s; }

QMap<QString, QString> printedCells(const FrontPageValues& saved, const shell::UserContext& user,
                                    const shell::PatientContext& patient) {
    QMap<QString, QString> cells;
    cells[u"YYMC"_s] = user.hospitalName;
    cells[u"JGDM"_s] = user.organisationCode;
    for (const QString& name : allColumns()) {
        const FrontPageColumn* c = findColumn(name);
        const QString v = saved.value(name);
        if (c->kind == ColumnKind::Date) {
            const QDateTime at = parseDateValue(v);
            cells[name] = at.isValid() ? at.date().toString(u"yyyy-MM-dd"_s) : QString();
        } else if (c->kind == ColumnKind::Cost) {
            bool ok = false;
            const double d = v.toDouble(&ok);
            cells[name] = ok ? QString::number(qint64(std::round(d))) : QString();  // std::round: half away from zero
        } else if (name.startsWith(u"CYBQ"_s) || name.startsWith(u"ZYBQ"_s)) {
            cells[name] = v.trimmed().left(1);
        } else if (name.startsWith(u"SSRQ"_s)) {
            cells[name] = v.left(10);
        } else if (c->kind == ColumnKind::Code) {
            cells[name] = v.trimmed();
        } else {
            cells[name] = v;
        }
    }
    // A coder's correction of 病案号 or 姓名 reaches paper; the particulars stand in for a
    // front page that has none.
    if (saved.value(u"BAH"_s).trimmed().isEmpty()) cells[u"BAH"_s] = patient.admissionNumber;
    if (saved.value(u"XM"_s).trimmed().isEmpty()) cells[u"XM"_s] = patient.name;
    return cells;
}

int fillCells(records::RecordDocument& doc, const QMap<QString, QString>& cells) {
    int set = 0;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        if (records::setNamedText(doc.body(), it.key(), it.value())) ++set;
    return set;
}

bool buildFrontPageDocument(const store::DataDirectory& files, const shell::UserContext& user,
                            const shell::PatientContext& patient, int format, records::RecordDocument& out,
                            QString* error) {
    QByteArray bytes;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            if (error) *error = db.lastError();
            return false;
        }
        const store::Rows rows =
            db.query(u"select * from GSMB where 名称=?"_s, {frontPageTemplateName(format)});
        if (rows.isEmpty()) {
            if (error) *error = u"首页模板%1不存在"_s.arg(frontPageTemplateName(format));
            return false;
        }
        bytes = rows.first().bytes(u"数据"_s);
    }
    records::RecordDocument doc;
    if (!records::decodeEwd(bytes, doc, error)) return false;
    ui::ScriptedUserInterface quiet;  // reading the front page asks nothing
    const FrontPageValues saved = FrontPageRecord(files, quiet).load(patient.serialNumber);
    fillCells(doc, printedCells(saved, user, patient));
    doc.setModified(false);
    doc.setProtection(records::Protection::ReadOnly);
    out.swap(doc);
    return true;
}

bool loadPatientBySerial(const store::DataDirectory& files, const QString& serial, shell::PatientContext* out) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Rows rows = db.query(u"select * from 在院病人 where 住院编号=?"_s, {serial});
    if (rows.isEmpty()) return false;
    const store::Row row = rows.first();
    shell::PatientContext p;
    for (const QString& column : shell::PatientContext::columns()) p.setValue(column, row.text(column));
    *out = p;
    return true;
}

}  // namespace qh::frontpage
