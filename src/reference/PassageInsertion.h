#pragma once
// "插入到病历": a passage chosen in a reference window goes to the caret of the record in
// front of the user, or the user is told why it cannot.
#include <QString>

#include "interaction/UserInterface.h"
#include "shell/OfferSave.h"

namespace qh::reference {

inline const QString kNothingSelected = QStringLiteral("请先选定要插入的文字。");
inline const QString kNoRecordOpen = QStringLiteral("没有可插入的病历：请先打开病历，把光标放在要插入的位置。");

// The reference texts end their lines "\r\n"; the record takes "\n".
QString passageText(const QString& selected);

// `document` is the record in front of the user (nullptr when the record page does not
// show). True when the passage went in.
bool insertPassage(ui::UserInterface& ui, shell::EditableDocument* document, const QString& selected);

}  // namespace qh::reference
