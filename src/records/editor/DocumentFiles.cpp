#include "records/editor/DocumentFiles.h"

#include <QTextDocumentWriter>

#include "common/GbkText.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/RecordDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace qh::records {
namespace {

bool readAll(const QString& path, QByteArray* bytes, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取文件：") + QDir::toNativeSeparators(path);
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// Images an HTML document refers to are read now, from beside the file, and kept in the
// document, so that saving embeds them and nothing refers to the disk afterwards.
void embedImages(QTextDocument* doc) {
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat()) continue;
            QUrl name(f.toImageFormat().name());
            QVariant data = doc->resource(QTextDocument::ImageResource, name);
            if (data.isValid()) doc->addResource(QTextDocument::ImageResource, name, data);
        }
    }
}

// Hands a document read from a file over to `doc` as freshly opened: nothing to undo,
// nothing to save.
bool adoptLoaded(RecordDocument& loaded, RecordDocument& doc) {
    loaded.body()->clearUndoRedoStacks();
    loaded.setModified(false);
    doc.swap(loaded);
    return true;
}

bool openWordProcessorFile(const QString& path, RecordDocument& doc, QString* error) {
    const QString program = converterProgram();
    if (program.isEmpty()) {
        *error = QStringLiteral("无法打开文字处理文档：本机未安装 LibreOffice。请安装 LibreOffice（Writer）后再打开此文件。");
        return false;
    }
    QTemporaryDir out;
    QProcess convert;
    convert.start(program, {"--headless", "--convert-to", "html", "--outdir", out.path(), path});
    if (!convert.waitForFinished(120000) || convert.exitCode() != 0) {
        convert.kill();
        *error = QStringLiteral("LibreOffice 转换文件失败：") + QDir::toNativeSeparators(path);
        return false;
    }
    const QString html = out.filePath(QFileInfo(path).completeBaseName() + ".html");
    QByteArray bytes;
    if (!readAll(html, &bytes, error)) return false;
    RecordDocument loaded;
    loadHtml(decodePlainText(bytes), out.path(), loaded);
    return adoptLoaded(loaded, doc);
}

}  // namespace

QString converterProgram() {
    const QString named = qEnvironmentVariable("QINGHE_CONVERTER");
    if (!named.isEmpty()) return QFileInfo(named).isExecutable() ? named : QStandardPaths::findExecutable(named);
    for (const char* name : {"libreoffice", "soffice"}) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty()) return found;
    }
    return {};
}

bool saveWordProcessorFile(const QString& path, const RecordDocument& doc, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    const QString suffix = QFileInfo(path).suffix().toLower();
    QTemporaryDir work;
    const QString odt = work.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".odt"));
    QTextDocumentWriter writer(odt, "odf");
    if (!work.isValid() || !writer.write(doc.body())) {
        *error = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path);
        return false;
    }
    QString made = odt;
    if (suffix != QLatin1String("odt")) {
        const QString program = converterProgram();
        if (program.isEmpty()) {
            *error = QStringLiteral("无法保存为文字处理文档：本机未安装 LibreOffice。");
            return false;
        }
        const QString outDir = work.filePath(QStringLiteral("out"));
        QDir().mkpath(outDir);
        QProcess convert;
        convert.start(program, {"--headless", "--convert-to", suffix, "--outdir", outDir, odt});
        made = outDir + QLatin1Char('/') + QFileInfo(odt).completeBaseName() + QLatin1Char('.') + suffix;
        if (!convert.waitForFinished(120000) || convert.exitCode() != 0 || !QFileInfo::exists(made)) {
            convert.kill();
            *error = QStringLiteral("LibreOffice 转换文件失败：") + QDir::toNativeSeparators(path);
            return false;
        }
    }
    QByteArray bytes;
    if (!readAll(made, &bytes, error)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path);
        return false;
    }
    return true;
}

QString decodePlainText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) return text;
    return qh::text::fromGbk(bytes);
}

void loadHtml(const QString& html, const QString& baseDirectory, RecordDocument& doc) {
    doc.body()->setBaseUrl(QUrl::fromLocalFile(baseDirectory + "/"));
    doc.body()->setHtml(html);
    embedImages(doc.body());
}

bool openDocumentFile(const QString& path, RecordDocument& doc, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "doc" || suffix == "docx" || suffix == "odt" || suffix == "rtf" || suffix == "wps")
        return openWordProcessorFile(path, doc, error);
    QByteArray bytes;
    if (!readAll(path, &bytes, error)) return false;
    if (suffix == "ewd" || looksLikeEwd(bytes)) return decodeEwd(bytes, doc, error);
    if (suffix == "txt") {
        RecordDocument loaded;
        loaded.body()->setPlainText(decodePlainText(bytes));
        return adoptLoaded(loaded, doc);
    }
    if (suffix == "html" || suffix == "htm") {
        RecordDocument loaded;
        QStringDecoder declared = QStringDecoder::decoderForHtml(bytes);
        QString html = declared.isValid() ? declared.decode(bytes) : QString();
        if (!declared.isValid() || declared.hasError()) html = decodePlainText(bytes);  // undeclared GBK
        loadHtml(html, QFileInfo(path).absolutePath(), loaded);
        return adoptLoaded(loaded, doc);
    }
    *error = QStringLiteral("不支持的文件类型：") + QDir::toNativeSeparators(path);
    return false;
}

bool saveDocumentFile(const QString& path, const RecordDocument& doc, QString* error) {
    QString dummy;
    if (!error) error = &dummy;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeEwd(doc)) < 0 || !file.commit()) {
        *error = QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path);
        return false;
    }
    return true;
}

}  // namespace qh::records
