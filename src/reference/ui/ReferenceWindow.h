#pragma once
// The reference windows of the "业务" menu: "用药参考" with a tab for formulae, herbs,
// internal medicine and western drugs, and "诊疗常规" with the disease information. Both
// stay open beside the main window; "插入到病历" puts the selected passage at the caret of
// the open record.
#include <QList>
#include <QWidget>
#include <functional>

#include "reference/ReferenceBase.h"

class QTabWidget;

namespace qh::reference {

class ReferencePanel;

class ReferenceWindow : public QWidget {
    Q_OBJECT
public:
    // Takes a passage to the record; false when it did not go in.
    using Insert = std::function<bool(const QString& passage)>;

    ReferenceWindow(const QString& title, ReferenceBase base, const QList<Kind>& kinds, Insert insert,
                    QWidget* parent = nullptr);

    // The panel that shows (the chosen tab).
    ReferencePanel* currentPanel() const;
    ReferencePanel* panel(Kind kind) const;
    // Shows the panel of a kind (its tab).
    void showKind(Kind kind);
    // "插入到病历".
    bool insertSelection();

private:
    QList<ReferencePanel*> panels_;
    QTabWidget* tabs_ = nullptr;
    Insert insert_;
};

}  // namespace qh::reference
