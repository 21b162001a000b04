#include "records/library/FileExchange.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "interaction/UserInterface.h"
#include "records/editor/DocumentFiles.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"

namespace qh::records {

namespace {

bool endsWith(const QString& name, const char* suffix) {
    return name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// PDF as printed, written beside and renamed into place.
bool writePdf(RecordDocument& doc, const QString& path, QString* error) {
    const QString partial = path + QStringLiteral(".part");
    if (!exportPdf(doc, partial, error)) {
        QFile::remove(partial);
        return false;
    }
    QFile::remove(path);
    if (QFile::rename(partial, path)) return true;
    QFile::remove(partial);
    if (error) *error = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path);
    return false;
}

}  // namespace

QString importFilter() {
    return QStringLiteral("病历 (*.ewd);;病历 (*.doc);;文件 (*.txt);;文字处理文档 (*.docx *.odt *.rtf *.wps)");
}

QString exportFilter() {
    QString filter = QStringLiteral("病历 (*.ewd);;OST文件 (*.ost);;PDF (*.pdf);;OpenDocument (*.odt)");
    if (!converterProgram().isEmpty()) filter += QStringLiteral(";;Word (*.docx)");
    return filter;
}

QString exportFileName(const QString& chosen) {
    if (endsWith(chosen, ".ewd") || endsWith(chosen, ".pdf") || endsWith(chosen, ".odt")) return chosen;
    if (endsWith(chosen, ".docx") && !converterProgram().isEmpty()) return chosen;
    return chosen + QStringLiteral(".ewd");
}

bool exportDocument(ui::UserInterface& ui, RecordDocument& doc, const QString& suggestedName) {
    const QString chosen = ui.saveFileName(QStringLiteral("另存为"), suggestedName, exportFilter());
    if (chosen.isEmpty()) return false;
    const QString path = exportFileName(chosen);
    // The dialog asked about the name it was given; an appended name is asked about here.
    if (path != chosen && QFileInfo::exists(path) &&
        !ui.askOkCancel(QStringLiteral("另存为"), QDir::toNativeSeparators(path) + QStringLiteral(" 已存在。\n要替换它吗？")))
        return false;
    QString error;
    bool written = false;
    if (endsWith(path, ".pdf"))
        written = writePdf(doc, path, &error);
    else if (endsWith(path, ".odt") || endsWith(path, ".docx"))
        written = saveWordProcessorFile(path, doc, &error);
    else
        written = saveDocumentFile(path, doc, &error);
    ui.messageDialog(written ? kExportSaved : kExportFailed + (error.isEmpty() ? QString() : QStringLiteral("\r\n") + error));
    return written;
}

QString chooseImportFile(ui::UserInterface& ui) {
    return ui.openFileName(QStringLiteral("病历模板"), QString(), importFilter());
}

}  // namespace qh::records
