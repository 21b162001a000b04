#include "records/ui/DocumentEditor.h"

#include "common/Clock.h"
#include "records/editor/DocumentFiles.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/FontChoice.h"
#include "records/editor/NamedFields.h"
#include "records/editor/Revisions.h"
#include "records/library/FileExchange.h"
#include "records/ui/CharacterDialog.h"
#include "records/ui/RecordTextEdit.h"
#include "records/ui/ReplaceDialog.h"

#include <QAbstractTextDocumentLayout>
#include <QFileDialog>
#include <QFontDialog>
#include <QImageReader>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QUuid>
#include <QVBoxLayout>

namespace qh::records {

DocumentEditor::DocumentEditor(QWidget* parent) : QWidget(parent) {
    header_ = new RecordTextEdit(&record_, false, this);
    body_ = new RecordTextEdit(&record_, true, this);
    headerCaption_ = new QLabel(QStringLiteral("页眉"), this);
    headerCaption_->setStyleSheet(QStringLiteral("color: #808080; font-size: 9pt;"));
    header_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->setFrameShape(QFrame::NoFrame);
    header_->setStyleSheet(QStringLiteral("background: #f4f4f4;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(headerCaption_);
    layout->addWidget(header_);
    layout->addWidget(body_, 1);
    reattach();
}

DocumentEditor::~DocumentEditor() {
    // The views go before the documents they show (members outlive the body of this
    // destructor, child widgets would otherwise outlive the members).
    delete body_;
    delete header_;
}

void DocumentEditor::reattach() {
    body_->attach();
    header_->attach();
    // The header is shown as it prints; it is edited only on purpose.
    header_->setReadOnly(!headerEditing_ || record_.protection() != Protection::None);
    header_->setLineWrapMode(QTextEdit::FixedPixelWidth);
    header_->setLineWrapColumnOrWidth(body_->lineWrapColumnOrWidth());
    connect(record_.header()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &DocumentEditor::fitHeaderHeight, Qt::UniqueConnection);
    fitHeaderHeight();
}

void DocumentEditor::fitHeaderHeight() {
    const bool shown = headerEditing_ || !record_.header()->isEmpty();
    header_->setVisible(shown);
    headerCaption_->setVisible(shown);
    headerCaption_->setText(headerEditing_ ? QStringLiteral("页眉（正在编辑，粘贴将放入页眉）") : QStringLiteral("页眉"));
    header_->setFixedHeight(int(record_.header()->size().height()) + 6);
}

QByteArray DocumentEditor::content() const { return encodeEwd(record_); }

bool DocumentEditor::setContent(const QByteArray& bytes, QString* error) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, error)) return false;
    takeOver(incoming);
    return true;
}

void DocumentEditor::takeOver(RecordDocument& incoming) {
    record_.swap(incoming);  // the revision author, the logged-in user, stays
    headerEditing_ = false;
    reattach();  // the views move to the new documents before the old ones go
    emit contentReplaced();
}

bool DocumentEditor::isModified() const { return record_.isModified(); }
void DocumentEditor::setModified(bool modified) { record_.setModified(modified); }

int DocumentEditor::replace(const QString& find, const QString& replacement, bool caseSensitive) {
    return record_.replaceAll(find, replacement, caseSensitive);
}

bool DocumentEditor::insertText(const QString& text, int position, const QString& target) {
    return record_.insertText(text, position, target);
}

bool DocumentEditor::insertAtCaret(const QString& text, const QString& fontFamily) {
    if (!fontFamily.isEmpty() && !body_->textCursor().hasSelection() && body_->userMayChangeSelection()) {
        // The next text typed or inserted at the caret takes the font; the document itself
        // does not change until the passage goes in.
        QTextCharFormat format;
        format.setFontFamilies(fontFamiliesFor(fontFamily));
        body_->mergeCurrentCharFormat(format);
    }
    return body_->insertPassage(text);
}

void DocumentEditor::setProtection(Protection kind) {
    record_.setProtection(kind);
    // Form-fill undo must not reach back into what the host composed outside the fields.
    if (kind == Protection::FormFill) record_.body()->clearUndoRedoStacks();
    if (kind != Protection::None) headerEditing_ = false;
    reattach();
    emit protectionChanged();
}

bool DocumentEditor::importChosenFile(ui::UserInterface& ui) {
    const QString path = chooseImportFile(ui);
    if (path.isEmpty()) return false;
    QString error;
    if (!openFile(path, &error)) {
        ui.messageDialog(error);
        return false;
    }
    return true;
}

bool DocumentEditor::openFile(const QString& path, QString* error) {
    RecordDocument incoming;
    if (!openDocumentFile(path, incoming, error)) return false;
    takeOver(incoming);
    return true;
}

bool DocumentEditor::saveFile(const QString& path, QString* error) { return saveDocumentFile(path, record_, error); }

bool DocumentEditor::setCellText(const QString& alias, const QString& text) {
    return setNamedText(record_.body(), alias, text);
}

bool DocumentEditor::setPageSize(int width, int height) {
    if (!record_.setPaper(width, height)) return false;
    reattach();
    return true;
}

void DocumentEditor::setFontFamily(const QString& family) {
    RecordTextEdit* view = activeView();
    QTextCharFormat format;
    format.setFontFamilies(fontFamiliesFor(family));
    QTextCursor cursor = view->textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(format);
        return;
    }
    QTextDocument* doc = view->document();
    QFont font = doc->defaultFont();
    font.setFamilies(fontFamiliesFor(family));
    doc->setDefaultFont(font);
    QTextCursor all(doc);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    view->mergeCurrentCharFormat(format);
}

RecordTextEdit* DocumentEditor::activeView() const { return headerEditing_ ? header_ : body_; }

void DocumentEditor::selectAll() { activeView()->selectAll(); }
void DocumentEditor::copy() { activeView()->copy(); }
void DocumentEditor::paste() { activeView()->guardedPaste(); }
void DocumentEditor::cut() { activeView()->guardedCut(); }

void DocumentEditor::undo() {
    if (activeView()->userMayChangeSelection() || record_.protection() == Protection::FormFill) activeView()->undo();
}

void DocumentEditor::redo() {
    if (activeView()->userMayChangeSelection() || record_.protection() == Protection::FormFill) activeView()->redo();
}

void DocumentEditor::setRevisionAuthor(const QString& name) { record_.setRevisionAuthor(name); }

void DocumentEditor::setTrackChanges(bool on) {
    record_.setTrackChanges(on);
    reattach();
}

bool DocumentEditor::userMayEdit() const { return record_.protection() == Protection::None; }

bool DocumentEditor::acceptRevision() {
    return userMayEdit() && acceptRevisionAt(record_.body(), body_->textCursor().position());
}

bool DocumentEditor::rejectRevision() {
    return userMayEdit() && rejectRevisionAt(record_.body(), body_->textCursor().position());
}

int DocumentEditor::acceptAllRevisions() { return userMayEdit() ? records::acceptAllRevisions(record_.body()) : 0; }
int DocumentEditor::rejectAllRevisions() { return userMayEdit() ? records::rejectAllRevisions(record_.body()) : 0; }

bool DocumentEditor::setHeaderContent(const QByteArray& bytes, QString* error) {
    RecordDocument incoming;
    if (!decodeEwd(bytes, incoming, error)) return false;
    record_.swapBodyIntoHeader(incoming);
    reattach();
    return true;
}

QByteArray DocumentEditor::headerContent() const {
    // A document of its own whose body is the header (clone() keeps the images).
    RecordDocument holder;
    holder.adoptBody(std::unique_ptr<QTextDocument>(record_.header()->clone()));
    holder.setPaper(record_.paper().width, record_.paper().height);
    return encodeEwd(holder);
}

void DocumentEditor::setHeaderEditing(bool on) {
    if (on && record_.protection() != Protection::None) return;
    headerEditing_ = on;
    reattach();
    activeView()->setFocus();
}

void DocumentEditor::showReplaceDialog() {
    if (record_.protection() == Protection::ReadOnly) return;
    ReplaceDialog dialog(this);
    connect(&dialog, &ReplaceDialog::replaceAllRequested, this,
            [this, &dialog](const QString& find, const QString& replacement, bool caseSensitive) {
                int count = 0;
                if (record_.trackChanges()) {
                    auto allowed = [this](int from, int to) { return record_.userMayEdit(from, to); };
                    count = replaceTracked(record_.body(), find, replacement, caseSensitive, record_.revisionAuthor(),
                                           qh::Clock::now(), allowed);
                } else {
                    count = record_.replaceWhereUserMayEdit(find, replacement, caseSensitive);
                }
                dialog.showResult(count);
            });
    dialog.exec();
}

void DocumentEditor::showFontDialog() {
    RecordTextEdit* view = activeView();
    if (!view->userMayChangeSelection()) return;
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, view->currentFont(), this, QStringLiteral("字体"));
    if (!ok) return;
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
    format.setFontFamilies(fontFamiliesFor(font.family()));
    view->mergeCurrentCharFormat(format);
}

void DocumentEditor::showCharacterDialog() {
    RecordTextEdit* view = activeView();
    if (!view->userMayChangeSelection()) return;
    CharacterDialog dialog(view->currentCharFormat(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    view->mergeCurrentCharFormat(dialog.format());
    if (!dialog.specialCharacter().isEmpty()) view->insertPlainText(dialog.specialCharacter());
}

bool DocumentEditor::insertPicture(const QString& givenPath) {
    RecordTextEdit* view = activeView();
    if (!view->userMayChangeSelection()) return false;
    QString path = givenPath;
    if (path.isEmpty())
        path = QFileDialog::getOpenFileName(this, QStringLiteral("图片"), QString(),
                                            QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp *.gif)"));
    if (path.isEmpty()) return false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) return false;
    // At most the width of the page's text, in the layout's units (pixels at the view's DPI).
    const double maxWidth = bodyTextWidth(record_, view->logicalDpiX());
    QSizeF size = image.size();
    if (size.width() > maxWidth) size *= maxWidth / size.width();
    const QString name = QStringLiteral("qh-image-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QTextDocument* doc = view->document();
    doc->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    QTextCursor cursor = view->textCursor();
    const QTextCharFormat textFormat = plainCharFormat(cursor.charFormat());
    cursor.beginEditBlock();
    const int start = cursor.selectionStart();
    cursor.insertImage(format);
    if (view == body_ && record_.trackChanges())
        markInserted(doc, start, cursor.position(), record_.revisionAuthor(), qh::Clock::now());
    cursor.endEditBlock();
    cursor.setCharFormat(textFormat);  // what is typed next is text again, not image
    view->setTextCursor(cursor);
    return true;
}

// The printer to use: the given one, or one the user picks. Pages are placed on the whole
// sheet (the layout keeps its own margins), not inside the driver's printable area.
static QPrinter* choosePrinter(QPrinter* given, QPrinter* own, QWidget* parent) {
    QPrinter* printer = given;
    if (!printer) {
        QPrintDialog dialog(own, parent);
        if (dialog.exec() != QDialog::Accepted) return nullptr;
        printer = own;
    }
    printer->setFullPage(true);
    return printer;
}

PrintOutcome DocumentEditor::printRecord(QPrinter* given) {
    QPrinter own(QPrinter::HighResolution);
    QPrinter* printer = choosePrinter(given, &own, this);
    if (!printer) return {PrintStatus::Cancelled, 0, {}};
    return printDocument(record_, printer, true);
}

PrintOutcome DocumentEditor::continuePrintRecord(QPrinter* given) {
    QPrinter own(QPrinter::HighResolution);
    QPrinter* printer = choosePrinter(given, &own, this);
    if (!printer) return {PrintStatus::Cancelled, 0, {}};
    return continuePrint(record_, printer);
}

void DocumentEditor::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("打印预览"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { printDocument(record_, p, false); });
    preview.exec();
}

bool DocumentEditor::exportPdf(const QString& path, QString* error) { return records::exportPdf(record_, path, error); }

}  // namespace qh::records
