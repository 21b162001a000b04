// orders DIR STAY USER enter 长期|临时 FILE.tsv | herbal USAGE DOSES FILE.tsv | list 长期|临时|草药
// New orders for the patient of a stay entered as a person fills the entry grid (the same
// entry classes take over items, quantities and the group's route and frequency), and the
// lines of the patient's order lists.
#include <QFile>
#include <QStringDecoder>

#include "AdminCommands.h"
#include "ConsoleUserInterface.h"
#include "common/GbkText.h"
#include "orders/ItemLookup.h"
#include "orders/OrderEntry.h"
#include "orders/OrderLists.h"
#include "orders/OrderSave.h"
#include "orders/TypedEntry.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"

namespace qh::admin {
namespace {

const char* const kUsage =
    "usage: qinghe-emr-admin orders DIR STAY USER enter 长期|临时 FILE.tsv\n"
    "       qinghe-emr-admin orders DIR STAY USER herbal USAGE DOSES FILE.tsv\n"
    "       qinghe-emr-admin orders DIR STAY USER list 长期|临时|草药\n";


// The user as login fills the context: department (trimmed) and the eight flags.
bool loadUser(const store::DataDirectory& files, const QString& name, shell::UserContext* user, QString* error) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) {
        *error = db.lastError();
        return false;
    }
    const store::Rows rows = db.query(QStringLiteral("select * from 用户 where 用户=?"), {name});
    if (rows.isEmpty()) {
        *error = QStringLiteral("没有用户“%1”").arg(name);
        return false;
    }
    const store::Row row = rows.first();
    user->userName = row.text(QStringLiteral("用户"));
    user->department = row.text(QStringLiteral("科室")).trimmed();
    user->XTGL = row.boolean(QStringLiteral("XTGL"));
    user->SXBL = row.boolean(QStringLiteral("SXBL"));
    user->XGBL = row.boolean(QStringLiteral("XGBL"));
    user->CYBL = row.boolean(QStringLiteral("CYBL"));
    user->HZTW = row.boolean(QStringLiteral("HZTW"));
    user->YZCF = row.boolean(QStringLiteral("YZCF"));
    user->YZWH = row.boolean(QStringLiteral("YZWH"));
    user->TJCX = row.boolean(QStringLiteral("TJCX"));
    return true;
}

// The file's lines split at tabs, each padded to `columns` fields; blank lines are skipped.
// UTF-8, or GBK when the bytes are not UTF-8.
bool readTsv(const QString& path, int columns, QVector<QStringList>* rows, QVector<int>* lineNumbers, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取 %1").arg(path);
        return false;
    }
    const QByteArray bytes = f.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) text = text::fromGbk(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        QStringList fields = line.split(u'\t');
        while (fields.size() < columns) fields << QString();
        rows->append(fields);
        lineNumbers->append(i + 1);
    }
    return true;
}

int enterWestern(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
                 orders::OrderKind kind, const QString& path, QTextStream& out, QTextStream& err) {
    QVector<QStringList> rows;
    QVector<int> lineNumbers;
    QString error;
    if (!readTsv(path, 9, &rows, &lineNumbers, &error)) {
        err << error << '\n';
        return 1;
    }
    ConsoleUserInterface console(out);
    orders::ItemLookup lookup(files);
    orders::TypedEntry typing(lookup, console);
    ui::DataGrid grid;
    orders::WesternEntry entry(grid, user.userName);
    entry.reset();
    for (int i = 0; i < rows.size(); ++i) {
        if (!typing.type(entry, orders::TypedLine::fromFields(rows[i]), &error)) {
            if (error != orders::kChooseAllergyDrug) out << orders::kSaveFailed << '\n';
            err << QStringLiteral("第%1行：").arg(lineNumbers[i]) << error << '\n';
            return 1;
        }
    }
    orders::OrderSave saver(files, user, console);
    const orders::SaveResult result = entry.save(saver, stay, kind, console);
    if (!result.saved()) {
        if (!result.reason.isEmpty()) err << result.reason << '\n';
        return 1;
    }
    return 0;
}

int enterHerbal(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
                const QString& usage, const QString& doses, const QString& path, QTextStream& out, QTextStream& err) {
    QVector<QStringList> rows;
    QVector<int> lineNumbers;
    QString error;
    if (!readTsv(path, 3, &rows, &lineNumbers, &error)) {
        err << error << '\n';
        return 1;
    }
    ConsoleUserInterface console(out);
    orders::ItemLookup lookup(files);
    orders::TypedEntry typing(lookup, console);
    ui::DataGrid grid;
    orders::HerbalEntry entry(grid, user.userName);
    entry.reset();
    for (int i = 0; i < rows.size(); ++i) {
        if (!typing.type(entry, {rows[i][0], rows[i][1], rows[i][2]}, doses, &error)) {
            out << orders::kSaveFailed << '\n';
            err << QStringLiteral("第%1行：").arg(lineNumbers[i]) << error << '\n';
            return 1;
        }
    }
    orders::OrderSave saver(files, user, console);
    const orders::SaveResult result = entry.save(saver, stay, usage);
    if (!result.saved()) {
        if (!result.reason.isEmpty() && result.reason != orders::kChooseHerbalUsage) err << result.reason << '\n';
        return 1;
    }
    return 0;
}

int list(const store::DataDirectory& files, const QString& stay, orders::OrderKind kind, QTextStream& out) {
    for (const orders::ListLine& l : orders::OrderLists(files).lines(stay, kind)) {
        QStringList fields{QString::number(l.sid), l.date, l.time, l.content, l.doctor, l.nurse};
        if (kind == orders::OrderKind::LongTerm) fields << l.stopDate << l.stopTime << l.stopDoctor << l.stopNurse;
        if (kind == orders::OrderKind::Temporary) fields << l.stopDate;
        fields << (l.voided ? QStringLiteral("作废") : QString());
        out << fields.join(u'\t') << '\n';
    }
    return 0;
}

}  // namespace

int runOrders(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 5) {
        err << kUsage;
        return 2;
    }
    const store::DataDirectory files(args[0]);
    const QString stay = args[1].trimmed();
    const QString action = args[3];
    shell::UserContext user;
    QString error;
    const bool needsUser = action != u"list";
    if (needsUser && !loadUser(files, args[2], &user, &error)) {
        err << error << '\n';
        return 1;
    }
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            err << db.lastError() << '\n';
            return 1;
        }
        if (db.query(QStringLiteral("select 编号 from 在院病人 where 住院编号=?"), {stay}).isEmpty()) {
            err << QStringLiteral("没有住院编号为“%1”的患者").arg(stay) << '\n';
            return 1;
        }
    }
    const std::optional<orders::OrderKind> kind = orders::kindFromText(args[4]);
    if (action == u"enter" && args.size() == 6 && kind && *kind != orders::OrderKind::Herbal)
        return enterWestern(files, stay, user, *kind, args[5], out, err);
    if (action == u"herbal" && args.size() == 7) return enterHerbal(files, stay, user, args[4], args[5], args[6], out, err);
    if (action == u"list" && args.size() == 5 && kind) return list(files, stay, *kind, out);
    err << kUsage;
    return 2;
}

}  // namespace qh::admin
