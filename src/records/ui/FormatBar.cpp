#include "records/ui/FormatBar.h"

#include <QAction>
#include <QComboBox>
#include <QFontComboBox>
#include <QInputDialog>
#include <QMenu>
#include <QTextCursor>
#include <QTextList>
#include <QRegularExpression>
#include <QToolButton>

#include "records/editor/Authoring.h"
#include "records/editor/DocumentProperties.h"
#include "records/editor/FontChoice.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"

namespace qh::records {

FormatBar::FormatBar(DocumentEditor* editor, QWidget* parent, bool authoring)
    : QToolBar(parent), editor_(editor), authoring_(authoring) {
    setObjectName(QStringLiteral("formatBar"));
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    RecordTextEdit* body = editor_->bodyView();

    font_ = new QFontComboBox(this);
    font_->setObjectName(QStringLiteral("fontFamily"));
    font_->setMaximumWidth(150);
    addWidget(font_);
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("fontSize"));
    size_->setEditable(true);
    for (int pt : {8, 9, 10, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36})
        if (size_->findText(QString::number(pt)) < 0) size_->addItem(QString::number(pt));
    size_->setMaximumWidth(56);
    addWidget(size_);
    connect(font_, &QFontComboBox::textActivated, this, [this](const QString& family) {
        QTextCharFormat f;
        f.setFontFamilies(fontFamiliesFor(family));
        applyCharFormat(f);
    });
    connect(size_, &QComboBox::textActivated, this, [this](const QString& text) {
        const double pt = text.toDouble();
        if (pt < 4 || pt > 200) return;
        QTextCharFormat f;
        f.setFontPointSize(pt);
        applyCharFormat(f);
    });

    QAction* bold = add(QStringLiteral("bold"), QStringLiteral("粗"), QKeySequence::Bold, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        applyCharFormat(f);
    });
    QAction* italic = add(QStringLiteral("italic"), QStringLiteral("斜"), QKeySequence::Italic, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        applyCharFormat(f);
    });
    QAction* underline = add(QStringLiteral("underline"), QStringLiteral("下划"), QKeySequence::Underline, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        applyCharFormat(f);
    });
    for (QAction* a : {bold, italic, underline}) a->setCheckable(true);
    QFont b = bold->font();
    b.setBold(true);
    bold->setFont(b);
    addSeparator();

    const auto align = [this](Qt::Alignment how) {
        return [this, how] {
            if (editable()) editor_->bodyView()->setAlignment(how);
        };
    };
    add(QStringLiteral("alignLeft"), QStringLiteral("左"), QKeySequence(Qt::CTRL | Qt::Key_L), align(Qt::AlignLeft | Qt::AlignAbsolute));
    add(QStringLiteral("alignCenter"), QStringLiteral("中"), QKeySequence(Qt::CTRL | Qt::Key_E), align(Qt::AlignHCenter));
    add(QStringLiteral("alignRight"), QStringLiteral("右"), QKeySequence(Qt::CTRL | Qt::Key_R), align(Qt::AlignRight | Qt::AlignAbsolute));
    add(QStringLiteral("alignJustify"), QStringLiteral("齐"), QKeySequence(Qt::CTRL | Qt::Key_J), align(Qt::AlignJustify));
    addSeparator();
    const auto cursorDo = [this](auto action) {
        return [this, action] {
            if (!editable()) return;
            QTextCursor c = editor_->bodyView()->textCursor();
            action(c);
            editor_->bodyView()->setTextCursor(c);
        };
    };
    add(QStringLiteral("indent"), QStringLiteral("缩进"), QKeySequence(Qt::CTRL | Qt::Key_M),
        cursorDo([](QTextCursor& c) { indentParagraphs(c, 1); }));
    add(QStringLiteral("outdent"), QStringLiteral("减缩"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M),
        cursorDo([](QTextCursor& c) { indentParagraphs(c, -1); }));
    add(QStringLiteral("bullets"), QStringLiteral("•列表"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
        cursorDo([](QTextCursor& c) { toggleList(c, QTextListFormat::ListDisc); }));
    add(QStringLiteral("numbers"), QStringLiteral("1.列表"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
        cursorDo([](QTextCursor& c) { toggleList(c, QTextListFormat::ListDecimal); }));
    addSeparator();

    // Tables: insert, and the table menu.
    auto* tableButton = new QToolButton(this);
    tableButton->setText(QStringLiteral("表格"));
    tableButton->setObjectName(QStringLiteral("tableMenu"));
    tableButton->setPopupMode(QToolButton::InstantPopup);
    auto* table = new QMenu(tableButton);
    const auto tableAction = [&](const QString& name, const QString& text, auto slot) {
        QAction* a = table->addAction(text, this, slot);
        a->setObjectName(name);
        return a;
    };
    tableAction(QStringLiteral("insertTable"), QStringLiteral("插入表格…"), [this] { askTable(); });
    table->addSeparator();
    const QList<QPair<QString, TableEdit>> edits = {
        {QStringLiteral("上方插入行"), TableEdit::RowAbove},   {QStringLiteral("下方插入行"), TableEdit::RowBelow},
        {QStringLiteral("左侧插入列"), TableEdit::ColumnLeft}, {QStringLiteral("右侧插入列"), TableEdit::ColumnRight},
        {QStringLiteral("删除行"), TableEdit::DeleteRow},     {QStringLiteral("删除列"), TableEdit::DeleteColumn},
    };
    for (const auto& [text, edit] : edits)
        table->addAction(text, this, cursorDo([edit](QTextCursor& c) { editTable(c, edit); }));
    table->addSeparator();
    tableAction(QStringLiteral("mergeCells"), QStringLiteral("合并单元格"), cursorDo([](QTextCursor& c) { mergeSelectedCells(c); }));
    tableAction(QStringLiteral("splitCell"), QStringLiteral("拆分单元格"), cursorDo([](QTextCursor& c) { splitCellAtCaret(c); }));
    tableAction(QStringLiteral("columnWidths"), QStringLiteral("列宽…"), [this] { askWidths(); });
    tableAction(QStringLiteral("tableBorder"), QStringLiteral("边框…"), [this] { askBorder(); });
    tableButton->setMenu(table);
    addWidget(tableButton);

    if (authoring_) {
        add(QStringLiteral("nameCell"), QStringLiteral("命名"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { askName(); });
        QAction* show = add(QStringLiteral("showNames"), QStringLiteral("显示命名"), QKeySequence(),
                            [this](bool on) { setShowNames(on); });
        show->setCheckable(true);
        auto* placeholders = new QToolButton(this);
        placeholders->setText(QStringLiteral("插入项目"));
        placeholders->setObjectName(QStringLiteral("placeholderMenu"));
        placeholders->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(placeholders);
        for (const QString& p : knownPlaceholders()) menu->addAction(p, this, [this, p] { insertPlaceholder(p); });
        placeholders->setMenu(menu);
        addWidget(placeholders);
    }
    add(QStringLiteral("picture"), QStringLiteral("图片"), QKeySequence(), [this] { editor_->insertPicture(); });
    addSeparator();
    add(QStringLiteral("replace"), QStringLiteral("替换"), QKeySequence(Qt::CTRL | Qt::Key_H), [this] { editor_->showReplaceDialog(); });
    add(QStringLiteral("font"), QStringLiteral("字体"), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { editor_->showFontDialog(); });
    add(QStringLiteral("character"), QStringLiteral("字符"), QKeySequence(), [this] { editor_->showCharacterDialog(); });

    // A document the user may not change is not laid out anew either.
    const auto follow = [this] { setEnabled(editable()); };
    connect(editor_, &DocumentEditor::protectionChanged, this, follow);
    connect(editor_, &DocumentEditor::contentReplaced, this, follow);
    follow();
    connect(body, &QTextEdit::currentCharFormatChanged, this, [this] { followCursor(); });
    connect(body, &QTextEdit::cursorPositionChanged, this, [this] { followCursor(); });
}

QAction* FormatBar::add(const QString& name, const QString& text, const QKeySequence& keys, auto slot) {
    QAction* a = addAction(text);
    a->setObjectName(name);
    if (!keys.isEmpty()) {
        a->setShortcut(keys);
        // Only while this editor has the focus: each page's editor has its own bar.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        editor_->addAction(a);
        a->setToolTip(text + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    }
    if constexpr (std::is_invocable_v<decltype(slot), bool>)
        connect(a, &QAction::triggered, this, slot);
    else
        connect(a, &QAction::triggered, this, [slot](bool) { slot(); });
    return a;
}

QAction* FormatBar::action(const QString& name) const {
    for (QAction* a : findChildren<QAction*>())
        if (a->objectName() == name) return a;
    return nullptr;
}

bool FormatBar::editable() const {
    return editor_->protection() == Protection::None && !editor_->bodyView()->isReadOnly();
}

void FormatBar::applyCharFormat(const QTextCharFormat& format) {
    if (!editable()) return;
    RecordTextEdit* view = editor_->bodyView();
    view->mergeCurrentCharFormat(format);
    view->setFocus();
}

void FormatBar::followCursor() {
    const QTextCharFormat f = editor_->bodyView()->currentCharFormat();
    if (QAction* a = action(QStringLiteral("bold"))) a->setChecked(f.fontWeight() >= QFont::Bold);
    if (QAction* a = action(QStringLiteral("italic"))) a->setChecked(f.fontItalic());
    if (QAction* a = action(QStringLiteral("underline"))) a->setChecked(f.fontUnderline());
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty()) font_->setEditText(families.first());
    if (f.fontPointSize() > 0) size_->setEditText(QString::number(f.fontPointSize()));
}

void FormatBar::insertTable(int rows, int columns) {
    if (!editable()) return;
    QTextCursor c = editor_->bodyView()->textCursor();
    insertFormTable(c, rows, columns);
    editor_->bodyView()->setTextCursor(c);
}

void FormatBar::nameCell(const QString& alias) {
    if (!editable()) return;
    RecordTextEdit* view = editor_->bodyView();
    QTextCursor c = view->textCursor();
    const bool field = c.hasSelection();
    if (!nameAtCaret(c, alias)) return;
    if (field) {
        // Typing on after a named field writes plain text, not more of the field.
        c.setPosition(c.selectionEnd());
        view->setTextCursor(c);
        QTextCharFormat plain = view->currentCharFormat();
        plain.clearProperty(AliasProperty);
        view->setCurrentCharFormat(plain);
    }
    view->viewport()->update();
}

void FormatBar::insertPlaceholder(const QString& placeholder) {
    if (editable()) editor_->bodyView()->insertPlainText(placeholder);
}

void FormatBar::setShowNames(bool on) {
    editor_->bodyView()->setShowNames(on);
    if (QAction* a = action(QStringLiteral("showNames"))) a->setChecked(on);
}

void FormatBar::askTable() {
    bool ok = false;
    const QString size = QInputDialog::getText(this, QStringLiteral("插入表格"), QStringLiteral("行数×列数（如 4×2）："),
                                               QLineEdit::Normal, QStringLiteral("4×2"), &ok);
    if (!ok) return;
    QStringList parts = QString(size).replace(QLatin1Char('x'), QChar(0xD7)).replace(QLatin1Char('X'), QChar(0xD7)).split(QChar(0xD7));
    if (parts.size() != 2) return;
    insertTable(parts[0].trimmed().toInt(), parts[1].trimmed().toInt());
}

void FormatBar::askName() {
    QTextCursor c = editor_->bodyView()->textCursor();
    if (!c.hasSelection() && !c.currentTable()) return;
    QStringList names = knownFormAliases();
    const QString current = nameAtCaretOf(c);
    if (!current.isEmpty() && !names.contains(current)) names.prepend(current);
    names.prepend(QString());  // no name
    bool ok = false;
    const QString alias = QInputDialog::getItem(this, QStringLiteral("命名"),
                                                c.hasSelection() ? QStringLiteral("所选文字的名称（可自行输入）：")
                                                                 : QStringLiteral("单元格的名称（可自行输入）："),
                                                names, qMax(0, names.indexOf(current)), true, &ok);
    if (ok) nameCell(alias);
}

void FormatBar::askWidths() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("列宽"), QStringLiteral("各列宽度（页宽的百分数，逗号分隔）："),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok || !editable()) return;
    QList<double> widths;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[,，\\s]+")), Qt::SkipEmptyParts))
        widths << part.toDouble();
    QTextCursor c = editor_->bodyView()->textCursor();
    setColumnWidths(c, widths);
}

void FormatBar::askBorder() {
    bool ok = false;
    const double width = QInputDialog::getDouble(this, QStringLiteral("边框"), QStringLiteral("边框粗细（0 为无边框）："), 1, 0, 6, 1, &ok);
    if (!ok || !editable()) return;
    QTextCursor c = editor_->bodyView()->textCursor();
    setTableBorder(c, width);
}

}  // namespace qh::records
