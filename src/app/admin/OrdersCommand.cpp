// orders DIR STAY USER enter 长期|临时 FILE.tsv | herbal USAGE DOSES FILE.tsv | list 长期|临时|草药
//                      | execute|stop|void|delete|positive|negative SID | reorganise | postop [FILE.tsv]
// New orders for the patient of a stay entered as a person fills the entry grid (the same
// entry classes take over items, quantities and the group's route and frequency), the lines
// of the patient's order lists, and what is done on a list: the row with that sid is
// selected as a click would, the list's operation runs on its group, questions are answered
// with OK.
#include <QFile>
#include <QStringDecoder>
#include <functional>

#include "AdminCommands.h"
#include "ConsoleUserInterface.h"
#include "common/GbkText.h"
#include "orders/ItemLookup.h"
#include "orders/OrderEntry.h"
#include "orders/OrderLifecycle.h"
#include "orders/OrderListModel.h"
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
    "       qinghe-emr-admin orders DIR STAY USER list 长期|临时|草药\n"
    "       qinghe-emr-admin orders DIR STAY USER execute|stop|void|delete|positive|negative SID\n"
    "       qinghe-emr-admin orders DIR STAY USER reorganise\n"
    "       qinghe-emr-admin orders DIR STAY USER postop [FILE.tsv]\n";


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

// Types the file's lines (`columns` fields each) one by one into a fresh entry grid, as its
// keys would, then saves the batch; 0 when saved. A line that does not go in stops it with
// its line number. A refusal listed in `saidWhileTyping` or `saidWhileSaving` is already on
// the console and is not repeated.
template <typename Entry>
int enterLines(const store::DataDirectory& files, const shell::UserContext& user, const QString& path, int columns,
               const QStringList& saidWhileTyping, const QStringList& saidWhileSaving, QTextStream& out, QTextStream& err,
               const std::function<bool(orders::TypedEntry&, Entry&, const QStringList&, QString*)>& type,
               const std::function<orders::SaveResult(Entry&, orders::OrderSave&, ui::UserInterface&)>& save) {
    QVector<QStringList> rows;
    QVector<int> lineNumbers;
    QString error;
    if (!readTsv(path, columns, &rows, &lineNumbers, &error)) {
        err << error << '\n';
        return 1;
    }
    ConsoleUserInterface console(out);
    orders::ItemLookup lookup(files);
    orders::TypedEntry typing(lookup, console);
    ui::DataGrid grid;
    Entry entry(grid, user.userName);
    entry.reset();
    for (int i = 0; i < rows.size(); ++i) {
        if (!type(typing, entry, rows[i], &error)) {
            if (!saidWhileTyping.contains(error)) out << orders::kSaveFailed << '\n';
            err << QStringLiteral("第%1行：").arg(lineNumbers[i]) << error << '\n';
            return 1;
        }
    }
    orders::OrderSave saver(files, user, console);
    const orders::SaveResult result = save(entry, saver, console);
    if (!result.saved()) {
        if (!result.reason.isEmpty() && !saidWhileSaving.contains(result.reason)) err << result.reason << '\n';
        return 1;
    }
    return 0;
}

int enterWestern(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
                 orders::OrderKind kind, const QString& path, QTextStream& out, QTextStream& err) {
    return enterLines<orders::WesternEntry>(
        files, user, path, 9, {orders::kChooseAllergyDrug}, {}, out, err,
        [](orders::TypedEntry& typing, orders::WesternEntry& entry, const QStringList& fields, QString* error) {
            return typing.type(entry, orders::TypedLine::fromFields(fields), error);
        },
        [&](orders::WesternEntry& entry, orders::OrderSave& saver, ui::UserInterface& console) {
            return entry.save(saver, stay, kind, console);
        });
}

int enterHerbal(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
                const QString& usage, const QString& doses, const QString& path, QTextStream& out, QTextStream& err) {
    return enterLines<orders::HerbalEntry>(
        files, user, path, 3, {}, {orders::kChooseHerbalUsage}, out, err,
        [&](orders::TypedEntry& typing, orders::HerbalEntry& entry, const QStringList& fields, QString* error) {
            return typing.type(entry, {fields[0], fields[1], fields[2]}, doses, error);
        },
        [&](orders::HerbalEntry& entry, orders::OrderSave& saver, ui::UserInterface&) {
            return entry.save(saver, stay, usage);
        });
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

// The operation of a list's pop-up menu on the row with that sid.
int onRow(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user, const QString& action,
          const QString& sidText, QTextStream& out, QTextStream& err) {
    bool ok = false;
    const qint64 sid = sidText.trimmed().toLongLong(&ok);
    if (!ok || sid <= 0) {
        err << QStringLiteral("“%1”不是医嘱的sid").arg(sidText) << '\n';
        return 2;
    }
    std::optional<orders::OrderKind> kind;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        const store::Rows rows =
            db.query(QStringLiteral("select yzlb from zyb_yzxx where sid=? and zyid=?"), {sid, stay});
        if (!rows.isEmpty()) kind = orders::kindFromText(rows.first().text(QStringLiteral("yzlb")));
    }
    if (!kind) {
        err << QStringLiteral("该患者没有sid为%1的医嘱").arg(sid) << '\n';
        return 1;
    }
    using K = orders::OrderKind;
    const bool offered = action == u"execute" || (action == u"stop" && *kind == K::LongTerm) ||
                         ((action == u"void" || action == u"delete") && *kind != K::Herbal) ||
                         ((action == u"positive" || action == u"negative") && *kind == K::Temporary);
    if (!offered) {
        err << QStringLiteral("%1的列表没有这项操作").arg(orders::kindText(*kind)) << '\n';
        return 1;
    }
    ConsoleUserInterface console(out);
    orders::OrderListModel list(files, user, console, *kind);
    list.load(stay);
    list.select(list.rowOfSid(sid));
    if (list.selectedRow() == 0) {
        err << QStringLiteral("sid为%1的医嘱不在列表中").arg(sid) << '\n';
        return 1;
    }
    using O = orders::OrderListModel::Outcome;
    O done = O::Nothing;
    if (action == u"execute") done = list.execute();
    else if (action == u"stop") done = list.stop();
    else if (action == u"void") done = list.voidOrder();
    else if (action == u"delete") done = list.remove();
    else done = list.recordSkinTest(action == u"positive");
    if (done == O::Nothing) err << QStringLiteral("sid为%1的行不是可以这样处理的医嘱").arg(sid) << '\n';
    return done == O::Done ? 0 : 1;
}

int reorganise(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
               QTextStream& out) {
    ConsoleUserInterface console(out);
    orders::OrderListModel list(files, user, console, orders::OrderKind::LongTerm);
    list.load(stay);
    return list.reorganise() == orders::OrderListModel::Outcome::Done ? 0 : 1;
}

// Stops every running long-term order and saves the "术后医嘱" line with the orders of the
// file below it. The file is typed into a scratch grid first, so that a line that cannot be
// entered stops nothing.
int postOperative(const store::DataDirectory& files, const QString& stay, const shell::UserContext& user,
                  const QString& path, QTextStream& out, QTextStream& err) {
    QVector<QStringList> rows;
    QVector<int> lineNumbers;
    QString error;
    if (!path.isEmpty() && !readTsv(path, 9, &rows, &lineNumbers, &error)) {
        err << error << '\n';
        return 1;
    }
    ConsoleUserInterface console(out);
    orders::ItemLookup lookup(files);
    orders::TypedEntry typing(lookup, console);
    auto typeAll = [&](orders::WesternEntry& entry) {
        for (int i = 0; i < rows.size(); ++i) {
            if (!typing.type(entry, orders::TypedLine::fromFields(rows[i]), &error)) {
                err << QStringLiteral("第%1行：").arg(lineNumbers[i]) << error << '\n';
                return false;
            }
        }
        return true;
    };
    {
        ui::DataGrid scratch;
        orders::WesternEntry trial(scratch, user.userName);
        trial.reset();
        if (!typeAll(trial)) return 1;
    }
    ui::DataGrid grid;
    orders::WesternEntry entry(grid, user.userName);
    entry.reset();
    orders::OrderLifecycle lifecycle(files, user.userName, user.department);
    if (!orders::startPostOperative(lifecycle, stay, entry, console)) return 1;
    if (!typeAll(entry)) return 1;
    orders::OrderSave saver(files, user, console);
    const orders::SaveResult result = entry.save(saver, stay, orders::OrderKind::LongTerm, console);
    if (!result.saved()) {
        if (!result.reason.isEmpty()) err << result.reason << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int runOrders(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 4) {
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
    if (args.size() == 5 && QStringList({QStringLiteral("execute"), QStringLiteral("stop"), QStringLiteral("void"),
                                         QStringLiteral("delete"), QStringLiteral("positive"),
                                         QStringLiteral("negative")})
                                .contains(action))
        return onRow(files, stay, user, action, args[4], out, err);
    if (action == u"postop" && args.size() <= 5) return postOperative(files, stay, user, args.value(4), out, err);
    if (action == u"reorganise" && args.size() == 4) return reorganise(files, stay, user, out);
    const std::optional<orders::OrderKind> kind = orders::kindFromText(args.value(4));
    if (action == u"enter" && args.size() == 6 && kind && *kind != orders::OrderKind::Herbal)
        return enterWestern(files, stay, user, *kind, args[5], out, err);
    if (action == u"herbal" && args.size() == 7) return enterHerbal(files, stay, user, args[4], args[5], args[6], out, err);
    if (action == u"list" && args.size() == 5 && kind) return list(files, stay, *kind, out);
    err << kUsage;
    return 2;
}

}  // namespace qh::admin
