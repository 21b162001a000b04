#pragma once
// The text boxes and drop-down lists of the patient forms, named so that tests find them.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>

#include "patients/PickLists.h"

namespace qh::patients {

inline QLineEdit* textBox(const char* objectName) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

// An editable list takes typed text as well as its items; nothing is chosen at first.
inline QComboBox* pickList(bool editable, const char* objectName, const QStringList& items = {}) {
    auto* box = new QComboBox;
    box->setEditable(editable);
    if (editable) box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setObjectName(QString::fromUtf8(objectName));
    return box;
}

// Offers the code table's diagnoses matching what is typed in an editable list. The typed
// text and the cursor stay where they are, and the refill itself raises no signal, so it
// cannot start another search.
inline void showDiagnosisMatches(const store::DataDirectory& files, QComboBox* box, const QString& typed) {
    const QSignalBlocker quiet(box);
    QLineEdit* edit = box->lineEdit();
    const int cursor = edit->cursorPosition();
    box->clear();
    box->addItems(searchDiagnoses(files, typed));
    box->setCurrentIndex(-1);
    box->setEditText(typed);
    edit->setCursorPosition(cursor);
}

}  // namespace qh::patients
