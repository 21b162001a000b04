// record-new DIR STAY KEY [--user NAME] [--at "YYYY-MM-DD HH:MM"]: a document added as by
// the Add-menu item with the key KEY, written by the user (the patient's 主管医生 unless
// given) at the time given (now unless given).
#include "AdminCommands.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/documents/PatientRecords.h"
#include "records/documents/RecordExport.h"
#include "records/templates/DocumentPort.h"
#include "store/Connection.h"

namespace qh::admin {

int runRecordNew(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList plain;
    QString userName, at;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--user") && i + 1 < args.size())
            userName = args[++i];
        else if (args[i] == QLatin1String("--at") && i + 1 < args.size())
            at = args[++i];
        else
            plain << args[i];
    }
    if (plain.size() != 3) {
        err << "usage: qinghe-emr-admin record-new DIR STAY KEY [--user NAME] [--at \"YYYY-MM-DD HH:MM\"]\n";
        return 2;
    }
    const store::DataDirectory files(plain[0]);
    shell::PatientContext patient;
    if (!records::loadStay(files, plain[1], &patient)) {
        err << "no stay " << plain[1] << " in " << plain[0] << '\n';
        return 1;
    }
    const ClockOverride keep;
    if (!at.isEmpty()) {
        const QDateTime when = dates::parseDateText(at);
        if (!when.isValid()) {
            err << "not a time: " << at << '\n';
            return 1;
        }
        Clock::set([when] { return when; });
    }
    shell::UserContext user;
    user.userName = userName.isEmpty() ? patient.doctor : userName;
    user.department = patient.department;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        user.hospitalName = db.query(QStringLiteral("select 医院名称 from 备份")).first().text(QStringLiteral("医院名称"));
        const store::Row account = db.query(QStringLiteral("select * from 用户 where 用户=?"), {user.userName}).first();
        user.SXBL = account.boolean(QStringLiteral("SXBL"));
        if (account.isValid()) user.department = account.text(QStringLiteral("科室")).trimmed();
    }
    ui::ScriptedUserInterface ui;
    records::RecordDocumentPort editor;
    records::PatientRecords book(files, user, editor, ui, records::loadTemplateSettings(files));
    book.listRecords(patient);
    const bool created = book.addRecordFromMenu(plain[2]);
    keep.restore();
    if (!created) {
        err << (ui.lastText().isEmpty() ? QStringLiteral("no document added") : ui.lastText()) << '\n';
        return 1;
    }
    out << book.lastCreatedId() << '\t' << book.lastCreatedTitle() << '\n';
    return 0;
}

}  // namespace qh::admin
