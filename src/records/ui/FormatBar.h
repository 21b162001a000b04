#pragma once
// The format bar above an editor: font, size, bold, italic, underline, alignment, indent and
// lists; with authoring on, also tables (insert, rows and columns, merge, split, widths,
// borders), names for cells and fields with their outlines shown, placeholders and
// images. Its actions carry the word processor's shortcuts while the editor has the focus.
#include <QTextCharFormat>
#include <QToolBar>

class QComboBox;
class QFontComboBox;

namespace qh::records {

class DocumentEditor;

class FormatBar : public QToolBar {
    Q_OBJECT
public:
    FormatBar(DocumentEditor* editor, QWidget* parent = nullptr, bool authoring = false);

    // The actions by their object names ("bold", "alignCenter", "insertTable", "nameCell", …).
    QAction* action(const QString& name) const;

    // The commands, as the bar's buttons run them.
    void insertTable(int rows, int columns);
    void nameCell(const QString& alias);
    void insertPlaceholder(const QString& placeholder);
    void setShowNames(bool on);

private:
    QAction* add(const QString& name, const QString& text, const QKeySequence& keys, auto slot);
    // The cursor of the editor's active view, when its document may be laid out anew.
    bool editable() const;
    void applyCharFormat(const QTextCharFormat& format);
    void followCursor();
    void askTable();
    void askName();
    void askWidths();
    void askBorder();

    DocumentEditor* editor_;
    bool authoring_;
    QFontComboBox* font_ = nullptr;
    QComboBox* size_ = nullptr;
    bool following_ = false;
};

}  // namespace qh::records
