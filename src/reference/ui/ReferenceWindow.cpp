#include "reference/ui/ReferenceWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "reference/ui/ReferencePanel.h"

namespace qh::reference {

ReferenceWindow::ReferenceWindow(const QString& title, ReferenceBase base, const QList<Kind>& kinds, Insert insert,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), insert_(std::move(insert)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (kinds.size() == 1) {
        panels_ << new ReferencePanel(base, kinds.first(), this);
        layout->addWidget(panels_.first(), 1);
    } else {
        tabs_ = new QTabWidget(this);
        tabs_->setObjectName(QStringLiteral("kindTabs"));
        for (Kind kind : kinds) {
            panels_ << new ReferencePanel(base, kind, tabs_);
            tabs_->addTab(panels_.last(), kindCaption(kind));
        }
        layout->addWidget(tabs_, 1);
    }
    auto* buttons = new QHBoxLayout;
    auto* insertButton = new QPushButton(QStringLiteral("插入到病历"), this);
    insertButton->setObjectName(QStringLiteral("insertButton"));
    insertButton->setToolTip(QStringLiteral("把选定的文字插入到打开的病历的光标处"));
    auto* copyButton = new QPushButton(QStringLiteral("复制"), this);
    copyButton->setObjectName(QStringLiteral("copyButton"));
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    buttons->addStretch(1);
    buttons->addWidget(insertButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);
    connect(insertButton, &QPushButton::clicked, this, &ReferenceWindow::insertSelection);
    connect(copyButton, &QPushButton::clicked, this, [this] { currentPanel()->copySelection(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    resize(960, 640);
}

ReferencePanel* ReferenceWindow::currentPanel() const {
    return tabs_ ? static_cast<ReferencePanel*>(tabs_->currentWidget()) : panels_.first();
}

ReferencePanel* ReferenceWindow::panel(Kind kind) const {
    for (ReferencePanel* p : panels_)
        if (p->kind() == kind) return p;
    return nullptr;
}

void ReferenceWindow::showKind(Kind kind) {
    if (tabs_ && panel(kind)) tabs_->setCurrentWidget(panel(kind));
}

bool ReferenceWindow::insertSelection() { return insert_ && insert_(currentPanel()->selectedPassage()); }

}  // namespace qh::reference
