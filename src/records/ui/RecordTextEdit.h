#pragma once
// The text view of a record body or page header. It keeps user edits within the rules of
// the document: protection (read-only, form-fill) and track changes, shows revision
// authors on hover, and draws where the pages break.
#include <QList>
#include <QTextEdit>
#include <functional>

class QMenu;
class QPainter;
class QTimer;

namespace qh::records {

class RecordDocument;

class RecordTextEdit : public QTextEdit {
    Q_OBJECT
public:
    // `record` outlives the view; `forBody` false for the page-header view.
    RecordTextEdit(RecordDocument* record, bool forBody, QWidget* parent = nullptr);

    // Called after the record's documents were replaced or its rules changed.
    void attach();
    // Whether the user may change the current selection (or the given key's effect).
    bool userMayChangeSelection(int extendBack = 0, int extendForward = 0) const;

    // The user's editing commands, under the document's rules.
    void guardedPaste();
    void guardedCut();
    void guardedDelete();
    // The view's pop-up menu: the editing commands above, never the unguarded ones of the
    // standard menu.
    QMenu* createEditingMenu(QWidget* parent);
    // Whether a drag may move the selection out of this view (take it away from here):
    // only where the user may change it plainly, without form-fill limits or revisions.
    bool dragMayMoveText() const;
    // Inserts plain text at the caret as a paste would; false when refused.
    bool insertPassage(const QString& text);

    // While a form is being made: every named cell and field outlined with its alias.
    void setShowNames(bool on);
    bool showsNames() const { return showNames_; }

    QList<int> pageBreaks() const { return pageBreaks_; }
    // Recomputes where pages break (otherwise done shortly after each change).
    void refreshPageBreaks();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool tracking() const;
    void trackedDelete(bool backwards);
    void insertTyped(const QString& text);
    void typeWithoutRevisionMarks();

    RecordDocument* record_;
    bool forBody_;
    QTimer* breakTimer_;
    QList<int> pageBreaks_;
    bool showNames_ = false;
    void paintNames(QPainter& painter);
};

}  // namespace qh::records
