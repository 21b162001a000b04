#pragma once
// One kind of reference knowledge: a search box over the category tree (or, while a text is
// typed, the list of matching entries), the entry's text, and for formulae and herbs the
// second panel (the formula's herbs, the herb's formulae).
#include <QWidget>

#include "reference/CategoryTree.h"
#include "reference/ReferenceBase.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTreeView;

namespace qh::reference {

class ReferencePanel : public QWidget {
    Q_OBJECT
public:
    ReferencePanel(ReferenceBase base, Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    // Shows an entry's text (and the second panel).
    void showEntry(qint64 id);
    qint64 shownEntry() const { return shown_; }
    // Fills the result list from the search box; an empty box shows the tree again.
    void search();
    // What the user selected in the text boxes, the box used last first; empty when nothing.
    QString selectedPassage() const;
    void copySelection();

    CategoryTree* tree() const { return model_; }

private:
    void entryChosen(qint64 id);

    ReferenceBase base_;
    Kind kind_;
    CategoryTree* model_;
    QLineEdit* searchBox_;
    QCheckBox* atStart_ = nullptr;
    QTreeView* treeView_;
    QListWidget* results_;
    QPlainTextEdit* detail_;
    QPlainTextEdit* second_ = nullptr;
    QPlainTextEdit* lastUsed_;
    qint64 shown_ = 0;
};

}  // namespace qh::reference
