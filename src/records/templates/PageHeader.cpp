#include "records/templates/PageHeader.h"

#include "common/GbkText.h"
#include "records/templates/DocumentPort.h"
#include "store/Connection.h"

namespace qh::records {

QString composeHeaderLine(const HeaderValues& v, const HeaderFlags& f, const QString& paper) {
    const QString p1 = f.name ? QStringLiteral("姓名：") + v.name : QString();
    const QString p2 = f.department ? QStringLiteral("科室：") + v.department : QString();
    const QString p3 = f.room ? QStringLiteral("病室：") + v.room : QString();
    const QString p4 = f.bed ? QStringLiteral("床号：") + v.bed + QStringLiteral("床") : QString();
    const QString p5 = f.number ? QStringLiteral("住院号：") + v.number : QString();
    const int used = text::gbkLength(p1 + p2 + p3 + p4 + p5);
    const int gap = qMax(0, paperGeometry(paper).headerBytes - used);
    const QString sep(gap / 4, QLatin1Char(' '));
    const QString rest(gap % 4, QLatin1Char(' '));
    return p1 + sep + p2 + sep + p3 + sep + p4 + rest + sep + p5;
}

QByteArray loadCommonHeader(const store::DataDirectory& files, const QString& paper) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return {};
    return db.query(QStringLiteral("select * from GSMB  where 检索=? and 纸张=?"), {kCommonHeaderKey, paper})
        .first()
        .bytes(QStringLiteral("数据"));
}

void composeRecordHeader(DocumentPort& headerEditor, DocumentPort& record, const QString& hospitalName,
                         const HeaderValues& values, const HeaderFlags& flags, const QString& paper) {
    headerEditor.replace(QStringLiteral("{医院名称}"), hospitalName, true);
    headerEditor.replace(QStringLiteral("{眉头}"), composeHeaderLine(values, flags, paper), true);
    headerEditor.setModified(false);
    record.setHeaderContent(headerEditor.content());
}

bool previewTemplateHeader(const store::DataDirectory& files, DocumentPort& templateEditor, const QString& hospitalName,
                           const QString& department, const HeaderFlags& boxes, const QString& paper) {
    RecordDocumentPort header;
    if (!header.setContent(loadCommonHeader(files, paper))) return false;
    const HeaderValues samples{QStringLiteral("XXX"), department, QStringLiteral("X"), QStringLiteral("X"),
                               QStringLiteral("XXX")};
    composeRecordHeader(header, templateEditor, hospitalName, samples, boxes, paper);
    return true;
}

void setRecordPaper(DocumentPort& record, const QString& baseColumn) {
    const PaperGeometry g = paperGeometry(baseColumn == QStringLiteral("A4数据") ? QStringLiteral("A") : QStringLiteral("B"));
    record.setPageSize(g.width, g.height);
}

}  // namespace qh::records
