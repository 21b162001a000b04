#include "frontpage/ui/FrontPageView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "frontpage/FrontPagePrint.h"
#include "store/Connection.h"
#include "frontpage/ui/FrontDateEdit.h"
#include "patients/PickLists.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/RecordDocument.h"
#include "records/ui/DocumentEditor.h"
#include "ui_TcmForm.h"
#include "ui_WesternForm.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

namespace {

const QStringList kDiagnosisColumns{u"CYZD"_s, u"CYBM"_s, u"CYBQ"_s};
const QStringList kOperationColumns{u"SSCZBM"_s, u"SSRQ"_s, u"SSJB"_s, u"SSMC"_s, u"SZ"_s,
                                    u"YZ"_s,     u"EZ"_s,   u"QKDJ"_s, u"MZFS"_s, u"MZYS"_s};
const QStringList kTcmColumns{u"ZYZD"_s, u"ZYZX"_s, u"ZYBM"_s, u"ZHBM"_s, u"ZYBQ"_s};

// Grid cells with a list to choose from: an editable drop-down as the cell's editor. Enter
// in a cell's editor ends the edit and asks for a lookup, as Enter on the cell does.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    ChoiceDelegate(QObject* parent, std::function<void(const QModelIndex&)> onEnter)
        : QStyledItemDelegate(parent), onEnter_(std::move(onEnter)) {}
    QMap<int, QStringList> choices;
    QSet<int> fixed;  // columns whose list is closed (入院病情)

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!choices.contains(index.column())) {
            QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
            editor->setProperty("qhRow", index.row());
            editor->setProperty("qhColumn", index.column());
            return editor;
        }
        auto* box = new QComboBox(parent);
        box->setEditable(!fixed.contains(index.column()));
        box->addItems(choices.value(index.column()));
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            const QString text = index.data().toString();
            const int i = box->findText(text);
            if (i >= 0) box->setCurrentIndex(i);
            else if (box->isEditable()) box->setEditText(text);
            else if (!text.isEmpty()) {  // a stored text the list does not know stays as it was
                box->addItem(text);
                box->setCurrentIndex(box->count() - 1);
            }
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress && !qobject_cast<QComboBox*>(editor)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                const int row = editor->property("qhRow").toInt(), column = editor->property("qhColumn").toInt();
                emit const_cast<ChoiceDelegate*>(this)->commitData(editor);
                emit const_cast<ChoiceDelegate*>(this)->closeEditor(editor);
                if (auto* grid = qobject_cast<QTableWidget*>(parent())) onEnter_(grid->model()->index(row, column));
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    std::function<void(const QModelIndex&)> onEnter_;
};

QString cellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().trimmed() : QString();
}

void setCellText(QTableWidget* grid, int row, int column, const QString& text) {
    if (!grid->item(row, column)) grid->setItem(row, column, new QTableWidgetItem);
    grid->item(row, column)->setText(text);
}

void showText(QComboBox* box, const QString& text);

// Selects the item whose leading code is the stored code; a code the list does not know is
// kept as its own item, nothing stored leaves the box unselected.
void showCode(QComboBox* box, const QString& code) {
    for (int i = 0; i < box->count(); ++i)
        if (box->itemData(i).toString() != u"kept"_s && !code.isEmpty() && storedCode(box->itemText(i)) == code) {
            box->setCurrentIndex(i);
            return;
        }
    showText(box, code);
}

}  // namespace

namespace {
void showText(QComboBox* box, const QString& text) {
    for (int i = box->count() - 1; i >= 0; --i)
        if (box->itemData(i).toString() == u"kept"_s) box->removeItem(i);
    if (text.isEmpty()) {
        box->setCurrentIndex(-1);
        if (box->isEditable()) box->setEditText({});
        return;
    }
    const int i = box->findText(text);
    if (i >= 0) {
        box->setCurrentIndex(i);
    } else if (box->isEditable()) {
        box->setEditText(text);
    } else {
        box->addItem(text, u"kept"_s);
        box->setCurrentIndex(box->count() - 1);
    }
}

void setupGrid(QTableWidget* grid, const QList<int>& widths) {
    grid->setFont(QFont(u"宋体"_s));
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    for (int c = 0; c < grid->columnCount(); ++c)
        if (grid->horizontalHeaderItem(c) && grid->horizontalHeaderItem(c)->text().contains(u'\n'))
            grid->horizontalHeader()->setMinimumHeight(42);  // two-line captions (手术\n操作编码)
    grid->verticalHeader()->setDefaultSectionSize(26);
    for (int c = 0; c < widths.size() && c < grid->columnCount(); ++c) grid->setColumnWidth(c, widths[c]);
    grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c) setCellText(grid, r, c, {});
}

QTableWidget* makeResultList(QWidget* parent) {
    auto* list = new QTableWidget(0, 3, parent);
    list->setHorizontalHeaderLabels({u"名称"_s, u"编码"_s, QString()});
    list->verticalHeader()->setDefaultSectionSize(25);
    list->verticalHeader()->setFixedWidth(20);
    list->setColumnWidth(0, 200);
    list->setColumnWidth(1, 100);
    list->setColumnHidden(2, true);  // the tag: which target the rows were searched for
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->hide();
    return list;
}

QWidget* scrolled(QWidget* form) {
    auto* area = new QScrollArea;
    area->setWidget(form);
    area->setWidgetResizable(true);
    return area;
}

}  // namespace

FrontPageView::FrontPageView(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                             shell::PatientSelection& selection, QWidget* parent)
    : QWidget(parent), files_(files), user_(user), ui_(ui), selection_(selection), record_(files, ui),
      western_(std::make_unique<Ui::WesternForm>()), tcm_(std::make_unique<Ui::TcmForm>()) {
    westernRoot_ = new QWidget;
    western_->setupUi(westernRoot_);
    tcmRoot_ = new QWidget;
    tcm_->setupUi(tcmRoot_);
    westernResults_ = makeResultList(westernRoot_);
    tcmResults_ = makeResultList(tcmRoot_);

    auto* previewPage = new QWidget;
    preview_ = new records::DocumentEditor(previewPage);
    auto* printButton = new QPushButton(u"打印首页"_s, previewPage);
    auto* pdfButton = new QPushButton(u"导出PDF"_s, previewPage);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addWidget(pdfButton);
    buttons->addStretch();
    auto* previewLayout = new QVBoxLayout(previewPage);
    previewLayout->addLayout(buttons);
    previewLayout->addWidget(preview_);
    connect(printButton, &QPushButton::clicked, this, [this] { printFrontPage(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { exportPdf(); });

    auto* saveButton = new QPushButton(u"保存首页"_s);
    connect(saveButton, &QPushButton::clicked, this, [this] { saveShown(); });

    tabs_ = new QTabWidget(this);
    tabs_->addTab(scrolled(westernRoot_), u" 基本信息 "_s);
    tabs_->addTab(scrolled(tcmRoot_), u" 中医信息 "_s);
    tabs_->addTab(previewPage, u" 首页预览 "_s);
    tabs_->setCornerWidget(saveButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        westernResults_->hide();
        tcmResults_->hide();
        if (index == 0) western_->YLFFFS->setFocus();
        else if (index == 1) tcm_->MZZY->setFocus();
        else buildPreview();
    });

    // Grids: widths, drop-down columns, Enter for the lookup.
    setupGrid(western_->diagnosisGrid, {330, 100, 130});
    setupGrid(western_->operationGrid, {80, 90, 50, 170, 60, 60, 60, 60, 80, 70});
    setupGrid(tcm_->tcmGrid, {220, 160, 90, 90, 130});
    for (QTableWidget* grid : {western_->diagnosisGrid, western_->operationGrid, tcm_->tcmGrid}) {
        auto* delegate = new ChoiceDelegate(grid, [this, grid](const QModelIndex& index) {
            grid->setCurrentCell(index.row(), index.column());
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            eventFilter(grid, &enter);
        });
        grid->setItemDelegate(delegate);
        grid->installEventFilter(this);
    }
    for (QTableWidget* list : {westernResults_, tcmResults_}) {
        list->installEventFilter(this);
        connect(list, &QTableWidget::cellDoubleClicked, this, [this] { pick(); });
    }
    for (QLineEdit* field : {western_->MZZD, western_->WBYY, western_->BLZD, tcm_->MZZY}) field->installEventFilter(this);
    for (FrontDateEdit* date : {western_->RYRQ, western_->CYRQ})
        connect(date, &FrontDateEdit::editingFinished, this, [this, date] { dateChanged(date); });
    for (QComboBox* box : westernRoot_->findChildren<QComboBox*>()) box->setCurrentIndex(-1);
    for (QComboBox* box : tcmRoot_->findChildren<QComboBox*>()) box->setCurrentIndex(-1);

    // Days without a time of day.
    for (FrontDateEdit* day : {western_->CSRQ, western_->ZKRQ}) day->setDisplayFormat(u"yyyy-MM-dd"_s);
    setEnabled(false);
}

FrontPageView::~FrontPageView() = default;

void FrontPageView::fillDropDowns() {
    const auto fill = [](QComboBox* box, const QStringList& items) {
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(-1);
    };
    fill(western_->MZ, patients::parameterList(files_, u"民族"_s));
    fill(western_->ZY, patients::parameterList(files_, u"职业"_s));
    fill(western_->LXRGX, patients::parameterList(files_, u"患者关系"_s));
    const QStringList departments = patients::departments(files_);
    fill(western_->RYKS, departments);
    fill(western_->CYKS, departments);
    QStringList users;
    if (store::Connection db = store::Connection::open(files_, store::DbFile::Main); db.isOpen())
        for (const store::Row& row : db.query(u"SELECT * FROM 用户"_s)) users << row.text(u"用户"_s);
    for (QComboBox* box : {western_->KZRQM, western_->FZRQM, western_->ZZQM, western_->ZYQM, western_->HSQM,
                           western_->JXQM, western_->SXQM, western_->BMYQM, western_->ZKQM, western_->ZKHS})
        fill(box, users);
    auto* ops = static_cast<ChoiceDelegate*>(western_->operationGrid->itemDelegate());
    ops->choices[2] = patients::parameterList(files_, u"手术级别"_s);
    ops->choices[7] = patients::parameterList(files_, u"切口愈合"_s);
    ops->choices[8] = patients::parameterList(files_, u"麻醉方式"_s);
    for (int c : {4, 5, 6, 9}) ops->choices[c] = users;
    for (QTableWidget* grid : {western_->diagnosisGrid, tcm_->tcmGrid}) {
        auto* d = static_cast<ChoiceDelegate*>(grid->itemDelegate());
        d->choices[grid->columnCount() - 1] = admissionConditions();
        d->fixed.insert(grid->columnCount() - 1);
    }
}

void FrontPageView::offerSaveOfShownPatient() {
    if (!serial_.isEmpty() && hasUnsavedChanges() &&
        ui_.messageDialog(u"患者 【%1】 的病案首页已修改，是否保存？"_s.arg(name_), true) == 1)
        saveChangedPages();
}

void FrontPageView::refresh() {
    westernResults_->hide();
    tcmResults_->hide();
    const bool hasPatient = !selection_.isEmpty() && !selection_.serialNumber().trimmed().isEmpty();
    // What the coder typed for the previous patient is not dropped unasked.
    offerSaveOfShownPatient();
    setEnabled(hasPatient);  // with nobody selected there is no key to write under
    serial_ = hasPatient ? selection_.serialNumber() : QString();
    name_ = hasPatient ? selection_.patient().name : QString();
    fillDropDowns();
    FrontPageValues values;
    // A stay without its row shows the prefilled page; nothing is written until it is saved.
    if (hasPatient)
        values = record_.exists(serial_) ? record_.load(serial_) : record_.prefill(selection_.patient(), user_.department);
    showValues(values);
    // Another patient's page opens on its first page (a preview is built when asked for).
    if (tabs_->currentIndex() == 2) tabs_->setCurrentIndex(0);
}

void FrontPageView::showValues(const FrontPageValues& values) {
    filling_ = true;
    for (QWidget* root : {westernRoot_, tcmRoot_}) {
        for (QLineEdit* field : root->findChildren<QLineEdit*>()) {
            if (field->objectName().isEmpty() || !findColumn(field->objectName())) continue;
            field->setText(values.value(field->objectName()));
        }
        for (QComboBox* box : root->findChildren<QComboBox*>()) {
            const FrontPageColumn* c = findColumn(box->objectName());
            if (!c) continue;
            if (c->kind == ColumnKind::Code) showCode(box, values.value(c->name).trimmed());
            else showText(box, values.value(c->name));
        }
        for (FrontDateEdit* date : root->findChildren<FrontDateEdit*>())
            date->setValue(parseDateValue(values.value(date->objectName())));
    }
    const auto fillGrid = [&](QTableWidget* grid, const QStringList& columns) {
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < columns.size(); ++c) setCellText(grid, r, c, values.value(columns[c] + QString::number(r + 1)));
    };
    fillGrid(western_->diagnosisGrid, kDiagnosisColumns);
    fillGrid(western_->operationGrid, kOperationColumns);
    fillGrid(tcm_->tcmGrid, kTcmColumns);
    admissionShown_ = western_->RYRQ->value();
    dischargeShown_ = western_->CYRQ->value();
    filling_ = false;
    remember();
}

FrontPageValues FrontPageView::collect(QWidget* root, const QList<FrontPageColumn>& columns) const {
    FrontPageValues v;
    for (const FrontPageColumn& c : columns) {
        if (auto* field = root->findChild<QLineEdit*>(c.name); field && !qobject_cast<QComboBox*>(field->parent()))
            v[c.name] = field->text().trimmed();
        else if (auto* box = root->findChild<QComboBox*>(c.name))
            v[c.name] = c.kind == ColumnKind::Code ? storedCode(box->currentText()) : box->currentText().trimmed();
        else if (auto* date = root->findChild<FrontDateEdit*>(c.name))
            v[c.name] = dateValue(date->value());
    }
    const auto readGrid = [&](QTableWidget* grid, const QStringList& names) {
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < names.size(); ++c) {
                const QString name = names[c] + QString::number(r + 1);
                for (const FrontPageColumn& col : columns)
                    if (col.name == name) v[name] = cellText(grid, r, c);
            }
    };
    if (root == westernRoot_) {
        readGrid(western_->diagnosisGrid, kDiagnosisColumns);
        readGrid(western_->operationGrid, kOperationColumns);
    } else {
        readGrid(tcm_->tcmGrid, kTcmColumns);
    }
    return v;
}

FrontPageValues FrontPageView::westernValues() const {
    FrontPageValues v = collect(westernRoot_, westernColumns());
    const FrontPageValues second = collect(westernRoot_, westernSecondColumns());
    for (auto it = second.cbegin(); it != second.cend(); ++it) v[it.key()] = it.value();
    return v;
}

FrontPageValues FrontPageView::tcmValues() const { return collect(tcmRoot_, tcmColumns()); }

void FrontPageView::remember() {
    savedWestern_ = westernValues();
    savedTcm_ = tcmValues();
}

bool FrontPageView::hasUnsavedChanges() const {
    return !serial_.isEmpty() && (westernValues() != savedWestern_ || tcmValues() != savedTcm_);
}

void FrontPageView::saveShown() {
    if (serial_.isEmpty()) return;
    if (tabs_->currentIndex() == 1) {
        if (record_.saveTcm(serial_, name_, tcmValues()) == SaveOutcome::Saved) savedTcm_ = tcmValues();
    } else if (record_.saveWestern(serial_, name_, westernValues()) == SaveOutcome::Saved) {
        savedWestern_ = westernValues();
    }
}

void FrontPageView::dateChanged(FrontDateEdit* field) {
    if (filling_) return;
    if (field == western_->CYRQ) {
        const QDateTime kept = record_.checkDischarge(western_->RYRQ->value(), dischargeShown_, field->value());
        if (kept != field->value()) field->setValue(kept);
        dischargeShown_ = kept;
    } else {
        const QDateTime kept = record_.checkAdmission(western_->CYRQ->value(), admissionShown_, field->value());
        if (kept != field->value()) field->setValue(kept);
        admissionShown_ = kept;
    }
    updateStayDays();
}

void FrontPageView::updateStayDays() {
    western_->ZYTS->setText(stayDays(western_->RYRQ->value(), western_->CYRQ->value()));
}

bool FrontPageView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return QWidget::eventFilter(watched, event);

    if (watched == westernResults_ || watched == tcmResults_) {
        pick();
        return true;
    }
    if (auto* field = qobject_cast<QLineEdit*>(watched)) {
        pending_ = {};
        CodeSource source = CodeSource::OutpatientDiagnosis;
        if (field == western_->MZZD) pending_.codeField = western_->MZBM;
        else if (field == western_->WBYY) source = CodeSource::ExternalCause, pending_.codeField = western_->WBBM;
        else if (field == western_->BLZD) source = CodeSource::Pathology, pending_.codeField = western_->BLBM;
        else source = CodeSource::TcmOutpatient, pending_.codeField = tcm_->MZZYBM;
        pending_.source = source;
        pending_.nameField = field;
        search(source, field->text().trimmed(), field, field->rect());
        return true;
    }
    if (auto* grid = qobject_cast<QTableWidget*>(watched)) {
        const int row = grid->currentRow(), column = grid->currentColumn();
        if (row < 0) return QWidget::eventFilter(watched, event);
        pending_ = {};
        pending_.grid = grid;
        pending_.row = row;
        if (grid == western_->diagnosisGrid && column == 0) {
            pending_.source = CodeSource::DischargeDiagnosis, pending_.nameColumn = 0, pending_.codeColumn = 1;
        } else if (grid == western_->operationGrid && column == 3) {
            pending_.source = CodeSource::Operation, pending_.nameColumn = 3, pending_.codeColumn = 0;
        } else if (grid == tcm_->tcmGrid && column == 0) {
            pending_.source = CodeSource::TcmDisease, pending_.nameColumn = 0, pending_.codeColumn = 2;
        } else if (grid == tcm_->tcmGrid && column == 1) {
            pending_.source = CodeSource::TcmSyndrome, pending_.nameColumn = 1, pending_.codeColumn = 3;
        } else {
            return QWidget::eventFilter(watched, event);  // other columns: Enter edits as usual
        }
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        search(pending_.source, cellText(grid, row, column), grid->viewport(), cell);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrontPageView::search(CodeSource source, const QString& typed, QWidget* anchor, const QRect& anchorRect) {
    const bool tcm = source == CodeSource::TcmDisease || source == CodeSource::TcmSyndrome || source == CodeSource::TcmOutpatient;
    QTableWidget* list = tcm ? tcmResults_ : westernResults_;
    const std::optional<QList<CodeMatch>> found = searchCodes(files_, source, typed);
    if (!found) return;  // no coding database: the list stays as it was
    list->setRowCount(0);
    for (const CodeMatch& m : *found) {
        const int r = list->rowCount();
        list->insertRow(r);
        list->setItem(r, 0, new QTableWidgetItem(m.name));
        list->setItem(r, 1, new QTableWidgetItem(m.code));
        list->setItem(r, 2, new QTableWidgetItem(m.tag));
    }
    const QSize size = resultListSize(list->rowCount() + 1);
    const QPoint below = anchor->mapTo(list->parentWidget(), anchorRect.bottomLeft() + QPoint(0, 1));
    list->setGeometry(QRect(below, size));
    list->show();
    list->raise();
    list->setFocus();
    if (list->rowCount() > 0) list->setCurrentCell(0, 0);
}

void FrontPageView::pick() {
    QTableWidget* list = westernResults_->isVisible() ? westernResults_ : tcmResults_;
    const int r = list->currentRow();
    if (r < 0 || !list->item(r, 0)) {
        list->hide();
        return;
    }
    const QString name = list->item(r, 0)->text(), code = list->item(r, 1)->text();
    list->hide();
    if (pending_.grid) {
        setCellText(pending_.grid, pending_.row, pending_.nameColumn, name);
        setCellText(pending_.grid, pending_.row, pending_.codeColumn, code);
        pending_.grid->setFocus();
        pending_.grid->setCurrentCell(pending_.row, pending_.nameColumn);
    } else if (pending_.nameField) {
        pending_.nameField->setText(name);
        pending_.codeField->setText(code);
        pending_.nameField->setFocus();
    }
}

void FrontPageView::saveChangedPages() {
    if (westernValues() != savedWestern_ && record_.saveWestern(serial_, name_, westernValues()) == SaveOutcome::Saved)
        savedWestern_ = westernValues();
    if (tcmValues() != savedTcm_ && record_.saveTcm(serial_, name_, tcmValues()) == SaveOutcome::Saved)
        savedTcm_ = tcmValues();
}

bool FrontPageView::offerSaveBeforePrinting() {
    if (!hasUnsavedChanges()) return true;
    if (ui_.messageDialog(u"首页有未保存的修改，打印的是已保存的内容。先保存吗？"_s, true) == 1) saveChangedPages();
    return true;
}

void FrontPageView::buildPreview() {
    if (serial_.isEmpty()) return;
    offerSaveBeforePrinting();
    records::RecordDocument doc;
    QString error;
    if (!buildFrontPageDocument(files_, user_, selection_.patient(), user_.frontPageFormat, doc, &error)) {
        ui_.messageDialog(error);
        return;
    }
    preview_->setContent(records::encodeEwd(doc));
    preview_->setProtection(records::Protection::ReadOnly);
    preview_->setModified(false);
}

void FrontPageView::printFrontPage() {
    if (serial_.isEmpty()) return;
    buildPreview();
    const records::PrintOutcome done = preview_->printRecord();
    if (!done.message.isEmpty()) ui_.messageDialog(done.message);
}

void FrontPageView::exportPdf(const QString& chosen) {
    if (serial_.isEmpty()) return;
    QString path = chosen;
    if (path.isEmpty())
        path = ui_.saveFileName(u"导出首页"_s, name_ + u"首页.pdf"_s, u"PDF文件 (*.pdf)"_s);
    if (path.isEmpty()) return;
    buildPreview();
    QString error;
    if (!preview_->exportPdf(path, &error)) ui_.messageDialog(error);
}

}  // namespace qh::frontpage
