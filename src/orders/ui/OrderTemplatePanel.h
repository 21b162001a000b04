#pragma once
// The order templates beside the entry grid: the user's own or the shared templates of the
// tab's kind, a search by name, and the commands 调用 (apply to the grid), 改名, 删除 and
// 共享 (the last three for the owner only; the logic refuses anyone else).
#include <QWidget>

#include "orders/OrderTemplates.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qh::orders {

class OrderTemplatePanel : public QWidget {
    Q_OBJECT
public:
    OrderTemplatePanel(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                       QWidget* parent = nullptr);

    // The kind of the entry tab that shows; the list is read again.
    void setKind(OrderKind kind);
    void refill();
    // The template of the selected entry, 0 when none.
    qint64 selectedTemplate() const;
    QListWidget* list() const { return list_; }
    QComboBox* scope() const { return scope_; }
    QLineEdit* search() const { return search_; }

    void renameSelected();
    void removeSelected();
    void toggleShared();

signals:
    void applyRequested(qint64 sid);

private:
    OrderTemplates templates_;
    ui::UserInterface& ui_;
    OrderKind kind_ = OrderKind::LongTerm;
    QComboBox* scope_;
    QLineEdit* search_;
    QListWidget* list_;
    QPushButton* share_;
};

}  // namespace qh::orders
