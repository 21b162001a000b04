#pragma once
// Documents to and from files in the three editors (record, template, library): the
// dialogs' titles and filters, the name rule of the save dialog and the messages.
#include <QString>

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

class RecordDocument;

// The open dialog's filter ("病历模板"): .ewd, .doc and .txt, and the other word-processor
// documents the editor reads.
QString importFilter();
// The save dialog's filter ("另存为"): .ewd and OST, PDF and .odt, and .docx where a
// converter is installed.
QString exportFilter();

// The file a chosen name is written to: a name ending in .ewd, .pdf, .odt or (with a
// converter) .docx is kept; any other name, an ".ost" one included, gets ".ewd" appended.
QString exportFileName(const QString& chosen);

// ExportTemplate / ExportRecord: the save dialog, the name rule, and the document written by
// the final name's type. When the final name differs from the chosen one and already
// exists, the user is asked before it is replaced. "文件保存成功！" only once the file is
// written, "文件保存失败！" (and why) otherwise; cancelling says nothing. The document's
// modified flag is left as it was: the copy in the database is what "保存" stores.
bool exportDocument(ui::UserInterface& ui, RecordDocument& doc, const QString& suggestedName);

// The file the open dialog chose (empty when cancelled).
QString chooseImportFile(ui::UserInterface& ui);

inline const QString kExportSaved = QStringLiteral("文件保存成功！");
inline const QString kExportFailed = QStringLiteral("文件保存失败！");
inline const QString kNoTemplateOpen = QStringLiteral("模板未打开，无法打开文件！");

}  // namespace qh::records
