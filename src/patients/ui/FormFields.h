#pragma once
// The text boxes and drop-down lists of the patient forms, named so that tests find them.
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

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

}  // namespace qh::patients
