#include "reference/PassageInsertion.h"

namespace qh::reference {

QString passageText(const QString& selected) {
    QString text = selected;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));  // a text box's selection
    return text;
}

bool insertPassage(ui::UserInterface& ui, shell::EditableDocument* document, const QString& selected) {
    const QString text = passageText(selected);
    if (text.trimmed().isEmpty()) {
        ui.messageDialog(kNothingSelected);
        return false;
    }
    if (!document || !document->insertAtCaret(text)) {
        ui.messageDialog(kNoRecordOpen);
        return false;
    }
    return true;
}

}  // namespace qh::reference
