#include "records/documents/RecordExport.h"

#include <limits>

#include <QFile>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "records/editor/EwdFormat.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"
#include "store/Connection.h"

namespace qh::records {

namespace {

bool fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, QStringLiteral("无法写入文件：") + path);
    return true;
}

// The text of a frame's content: paragraphs one a line, a table's row one a line with its
// cells separated by tabs (a cell's own paragraphs joined by spaces).
void appendText(QTextFrame* frame, QStringList* lines) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                for (int r = 0; r < table->rows(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        if (cell.row() != r || cell.column() != c) continue;
                        QStringList inner;
                        for (auto ci = cell.begin(); !ci.atEnd(); ++ci) {
                            if (QTextFrame* nested = ci.currentFrame())
                                appendText(nested, &inner);
                            else if (ci.currentBlock().isValid())
                                inner << ci.currentBlock().text();
                        }
                        cells << inner.join(QLatin1Char(' ')).trimmed();
                    }
                    lines->append(cells.join(QLatin1Char('\t')));
                }
            } else {
                appendText(child, lines);
            }
        } else if (it.currentBlock().isValid()) {
            lines->append(it.currentBlock().text());
        }
    }
}

QString documentText(QTextDocument* doc) {
    QStringList lines;
    appendText(doc->rootFrame(), &lines);
    QString text = lines.join(QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.remove(QChar::ObjectReplacementCharacter);  // images have no text
    return text;
}

}  // namespace

bool exportStoredRecord(const store::DataDirectory& files, qint64 id, const QString& path, QString* error) {
    const QString lower = path.toLower();
    const bool ewd = lower.endsWith(QStringLiteral(".ewd"));
    const bool pdf = lower.endsWith(QStringLiteral(".pdf"));
    const bool txt = lower.endsWith(QStringLiteral(".txt"));
    if (!ewd && !pdf && !txt) return fail(error, QStringLiteral("不支持的文件类型：") + path);
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return fail(error, QStringLiteral("无法打开数据库：") + db.lastError());
    const store::Row row = db.query(QStringLiteral("select * from 在院病历 where 编号=?"), {id}).first();
    db.close();
    if (!row.isValid()) return fail(error, QStringLiteral("没有编号为%1的病历").arg(id));
    const QByteArray bytes = row.bytes(QStringLiteral("数据"));
    if (ewd) return writeWhole(path, bytes, error);
    RecordDocument doc;
    QString why;
    if (!decodeEwd(bytes, doc, &why))
        return fail(error, QStringLiteral("病历%1的数据已损坏：").arg(id) + why);
    if (pdf) {
        // Written beside and renamed into place, so a failure leaves no half file.
        const QString partial = path + QStringLiteral(".part");
        if (!exportPdf(doc, partial, error)) {
            QFile::remove(partial);
            return false;
        }
        QFile::remove(path);
        if (!QFile::rename(partial, path)) {
            QFile::remove(partial);
            return fail(error, QStringLiteral("无法写入文件：") + path);
        }
        return true;
    }
    QString text;
    if (!doc.header()->isEmpty()) text = documentText(doc.header()) + QStringLiteral("\n\n");
    text += documentText(doc.body());
    if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
    return writeWhole(path, text.toUtf8(), error);
}

QStringList unreadableRecords(const store::DataDirectory& files,
                              const std::function<void(qint64 read, qint64 total)>& progress) {
    constexpr int kPage = 500;
    QStringList out;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return out;
    const qint64 total = db.query(QStringLiteral("select count(*) from 在院病历")).first().value(0).toInt();
    qint64 read = 0, after = std::numeric_limits<qint64>::min();
    for (;;) {
        const store::Rows page = db.query(
            QStringLiteral("select 编号,检索,病历,数据 from 在院病历 where 编号>? order by 编号 limit %1").arg(kPage), {after});
        if (!page.ok()) {
            out << QStringLiteral("dzbl.mdb: 在院病历 cannot be read after 编号 %1: %2").arg(after).arg(page.error());
            break;
        }
        for (const store::Row& row : page) {
            after = row.integer(QStringLiteral("编号"));
            RecordDocument doc;
            QString why;
            if (!decodeEwd(row.bytes(QStringLiteral("数据")), doc, &why))
                out << QStringLiteral("dzbl.mdb: 在院病历 编号 %1 (%2 %3) cannot be read: %4")
                           .arg(after)
                           .arg(row.text(QStringLiteral("检索")), row.text(QStringLiteral("病历")), why);
        }
        read += page.size();
        if (progress && page.size() > 0) progress(read, total);
        if (page.size() < kPage) break;
    }
    return out;
}

bool loadStay(const store::DataDirectory& files, const QString& serialNumber, shell::PatientContext* into) {
    if (serialNumber.trimmed().isEmpty()) return false;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from 在院病人 where 住院编号=?"), {serialNumber}).first();
    if (!row.isValid()) return false;
    for (const QString& column : shell::PatientContext::columns()) into->setValue(column, row.text(column));
    return true;
}

}  // namespace qh::records
