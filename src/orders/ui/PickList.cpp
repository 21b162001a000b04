#include "orders/ui/PickList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "interaction/ui/DataGridView.h"

namespace qh::orders {

PickList::PickList(QWidget* parent) : QFrame(parent, Qt::Popup) {
    setObjectName(QStringLiteral("pickList"));
    setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    edit_ = new QLineEdit;
    edit_->setObjectName(QStringLiteral("pickText"));
    view_ = new ui::DataGridView;
    view_->setObjectName(QStringLiteral("pickGrid"));
    view_->setGrid(&grid_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setFocusPolicy(Qt::NoFocus);
    view_->verticalHeader()->setDefaultSectionSize(22);
    layout->addWidget(edit_);
    layout->addWidget(view_);
    resize(720, 300);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (refill_) refill_(grid_, text);
        if (grid_.rows() > 1) view_->selectRow(0);
        fitRows();
    });
    connect(view_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        grid_.setCurrent(i.row() + 1, 1);
        take();
    });
}

void PickList::fitRows() {
    // Up to twelve rows show at once; the rest scroll.
    const int shown = qBound(3, grid_.rows() - 1, 12);
    resize(width(), edit_->sizeHint().height() + view_->horizontalHeader()->height() + shown * 22 + 12);
}

QString PickList::typed() const { return edit_->text(); }

void PickList::open(const QPoint& below, const QString& typed, Refill refill) {
    refill_ = std::move(refill);
    done_ = false;
    edit_->blockSignals(true);
    edit_->setText(typed);
    edit_->blockSignals(false);
    if (refill_) refill_(grid_, typed);
    if (grid_.rows() > 1) view_->selectRow(0);
    fitRows();
    move(below);
    show();
    edit_->setFocus();
    edit_->end(false);
}

bool PickList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int current = view_->currentIndex().isValid() ? view_->currentIndex().row() : -1;
        switch (key->key()) {
        case Qt::Key_Down:
            if (current + 1 < grid_.rows() - 1) view_->selectRow(current + 1);
            return true;
        case Qt::Key_Up:
            if (current > 0) view_->selectRow(current - 1);
            return true;
        case Qt::Key_PageDown:
            view_->selectRow(qMin(grid_.rows() - 2, current + 10));
            return true;
        case Qt::Key_PageUp:
            view_->selectRow(qMax(0, current - 10));
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            take();
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void PickList::take() {
    const QModelIndex i = view_->currentIndex();
    if (!i.isValid() || grid_.rows() <= 1) return;
    done_ = true;
    const int row = i.row() + 1;
    hide();
    emit taken(row);
}

void PickList::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (!done_) {
        done_ = true;
        emit cancelled();
    }
}

}  // namespace qh::orders
