#include "frontpage/FrontPageRecord.h"

#include <QLocale>
#include <cmath>
#include <optional>

#include "common/DateText.h"
#include "frontpage/FrontPageColumns.h"
#include "store/Connection.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

namespace {

const QString kDateFormat = u"yyyy-MM-dd HH:mm:ss"_s;

bool isOperationDate(const QString& column) {
    return column.size() == 5 && column.startsWith(u"SSRQ"_s) && column[4].isDigit();
}

// A cost as the coder typed it: empty is no value; anything else must be a finite number.
bool readCost(const QString& typed, std::optional<double>* out) {
    const QString t = typed.trimmed();
    if (t.isEmpty()) {
        *out = std::nullopt;
        return true;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

QString costText(const store::Value& v) {
    if (v.isNull()) return {};
    return QString::number(v.toDouble(), 'g', 15);
}

}  // namespace

QString dateValue(const QDateTime& at) { return at.isValid() ? at.toString(kDateFormat) : QString(); }

QDateTime parseDateValue(const QString& text) {
    if (text.trimmed().isEmpty()) return {};
    QDateTime at = QDateTime::fromString(text.trimmed(), kDateFormat);
    if (!at.isValid()) at = dates::parseDateText(text.trimmed());
    return at;
}

QString stayDays(const QDateTime& admission, const QDateTime& discharge) {
    if (!admission.isValid() || !discharge.isValid()) return {};
    return QString::number(std::max<qint64>(1, admission.date().daysTo(discharge.date())));
}

FrontPageRecord::FrontPageRecord(const store::DataDirectory& files, ui::UserInterface& ui) : files_(files), ui_(ui) {}

bool FrontPageRecord::exists(const QString& serial) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    return db.isOpen() && !db.query(u"SELECT ZYBH FROM BAJK where ZYBH=?"_s, {serial}).isEmpty();
}

FrontPageValues FrontPageRecord::load(const QString& serial) const {
    FrontPageValues values;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return values;
    const store::Rows rows = db.query(u"SELECT * FROM BAJK where ZYBH=?"_s, {serial});
    if (rows.isEmpty()) return values;
    const store::Row row = rows.first();
    for (const QString& name : allColumns()) {
        const FrontPageColumn* c = findColumn(name);
        const store::Value v = row.value(name);
        if (c->kind == ColumnKind::Date) {
            values[name] = v.isNull() ? QString() : dateValue(v.toDateTime());
        } else if (c->kind == ColumnKind::Cost) {
            values[name] = costText(v);
        } else if (isOperationDate(name)) {
            const QString day = v.toText().left(10);
            values[name] = day == u"1900-01-01"_s ? QString() : day;
        } else {
            values[name] = v.toText();
        }
    }
    return values;
}

FrontPageValues FrontPageRecord::prefill(const shell::PatientContext& patient, const QString& loginDepartment) const {
    FrontPageValues v;
    v[u"BAH"_s] = patient.admissionNumber;
    v[u"XM"_s] = patient.name;
    // A sex the form does not know stays unselected rather than becoming 女.
    const QString sex = patient.sex.trimmed();
    v[u"XB"_s] = sex == u"男"_s ? u"1"_s : sex == u"女"_s ? u"2"_s : QString();
    v[u"CSRQ"_s] = dateValue(dates::parseDateText(patient.birthDate));
    v[u"NL"_s] = patient.age;
    v[u"GJ"_s] = u"中国"_s;
    for (const char* c : {"CSSF", "XZDZ", "HKDZ", "GZDW"}) v[QString::fromLatin1(c)] = patient.address;
    v[u"LXRXM"_s] = patient.contact;
    v[u"LXRGX"_s] = patient.contactRelation;
    v[u"LXRDH"_s] = patient.phone;
    const QDateTime admission = dates::parseDateText(patient.admissionDate);
    v[u"RYRQ"_s] = dateValue(admission);
    v[u"RYKS"_s] = loginDepartment;
    v[u"CYKS"_s] = loginDepartment;
    v[u"RYBF"_s] = patient.wardRoom;
    // A stay that has ended has its discharge date already.
    QDateTime discharge;
    if (store::Connection db = store::Connection::open(files_, store::DbFile::Main); db.isOpen()) {
        const store::Value d =
            db.query(u"select 出院日期 from 在院病人 where 住院编号=?"_s, {patient.serialNumber}).first().value(u"出院日期"_s);
        if (!d.isNull()) discharge = d.toDateTime();
    }
    v[u"CYRQ"_s] = dateValue(discharge);
    v[u"ZYTS"_s] = stayDays(admission, discharge);
    return v;
}

SaveOutcome FrontPageRecord::saveWestern(const QString& serial, const QString& name, const FrontPageValues& values,
                                         const QDateTime& now) {
    return save(serial, name, values, true, now);
}

SaveOutcome FrontPageRecord::saveTcm(const QString& serial, const QString& name, const FrontPageValues& values) {
    return save(serial, name, values, false, QDateTime());
}

SaveOutcome FrontPageRecord::save(const QString& serial, const QString& name, const FrontPageValues& values,
                                  bool western, const QDateTime& now) {
    // Without a patient there is no key: an empty one must never become a row.
    if (serial.trimmed().isEmpty()) return SaveOutcome::NoPatient;

    // Every value is read before anything is written, so a refusal leaves the row as it was.
    struct Statement {
        QString sql;
        store::Params params;
    };
    QList<Statement> statements;
    const auto build = [&](const QList<FrontPageColumn>& columns, const QString& tail, std::optional<QDateTime> saved) {
        QStringList sets;
        store::Params params;
        for (const FrontPageColumn& c : columns) {
            sets << c.name + u"=?"_s;
            const QString text = values.value(c.name).trimmed();
            switch (c.kind) {
            case ColumnKind::Text: params.emplace_back(text); break;
            case ColumnKind::Code: params.emplace_back(storedCode(text)); break;
            case ColumnKind::Date: {
                if (text.isEmpty()) {
                    params.emplace_back(nullptr);
                    break;
                }
                const QDateTime at = parseDateValue(text);
                if (!at.isValid()) {
                    ui_.messageDialog(u"操作错误，%1不是有效的日期"_s.arg(c.label));
                    return false;
                }
                params.emplace_back(at);
                break;
            }
            case ColumnKind::Cost: {
                std::optional<double> cost;
                if (!readCost(text, &cost)) {
                    ui_.messageDialog(u"操作错误，%1必须是数字"_s.arg(c.label));
                    return false;
                }
                if (cost) params.emplace_back(*cost);
                else params.emplace_back(nullptr);
                break;
            }
            }
        }
        if (saved) {
            sets << u"BCRQ=?"_s;
            params.emplace_back(*saved);
        }
        params.emplace_back(serial);
        statements.append({u"UPDATE BAJK SET "_s + sets.join(u',') + tail, std::move(params)});
        return true;
    };
    const QString where = u" where ZYBH=?"_s;
    if (western) {
        if (!build(westernColumns(), where, std::nullopt) || !build(westernSecondColumns(), where, now))
            return SaveOutcome::Refused;
    } else if (!build(tcmColumns(), where, std::nullopt)) {
        return SaveOutcome::Refused;
    }

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return SaveOutcome::NoDatabase;
    const QString what = western ? u"病案信息"_s : u"中医病案信息"_s;
    // The key row and the page's statements are one change: all of them or none.
    store::Transaction tx(db);
    const auto write = [&] {
        if (!tx.isActive()) return false;
        const store::Rows found = db.query(u"SELECT ZYBH FROM BAJK where ZYBH=?"_s, {serial});
        if (!found.ok()) return false;
        if (found.isEmpty() && !db.execute(u"INSERT INTO BAJK (ZYBH) values (?)"_s, {serial}).changed()) return false;
        for (const Statement& s : statements)
            if (!db.execute(s.sql, s.params).changed()) return false;
        return true;
    };
    bool saved = write();
    if (saved) saved = tx.commit();
    else tx.rollback();
    db.close();  // the file is free again before the message waits for the coder
    ui_.messageBox(kSaveTitle, u"患者 【%1】  %2保存%3！"_s.arg(name, what, saved ? u"成功"_s : u"失败"_s));
    return saved ? SaveOutcome::Saved : SaveOutcome::Failed;
}

QDateTime FrontPageRecord::checkDischarge(const QDateTime& admission, const QDateTime& previous,
                                          const QDateTime& changed) {
    if (admission.isValid() && changed.isValid() && changed < admission) {
        ui_.messageDialog(kDateOrderRefused);
        return previous;
    }
    return changed;
}

QDateTime FrontPageRecord::checkAdmission(const QDateTime& discharge, const QDateTime& previous,
                                          const QDateTime& changed) {
    if (discharge.isValid() && changed.isValid() && changed > discharge) {
        ui_.messageDialog(kDateOrderRefused);
        return previous;
    }
    return changed;
}

}  // namespace qh::frontpage
