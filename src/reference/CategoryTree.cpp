#include "reference/CategoryTree.h"

namespace qh::reference {

namespace {
constexpr int NodeRole = Qt::UserRole + 1;  // index into nodes_; absent on the placeholder
}

QString CategoryTree::placeholderText() { return QStringLiteral("待加入"); }

CategoryTree::CategoryTree(ReferenceBase base, Kind kind, QObject* parent)
    : QStandardItemModel(parent), base_(std::move(base)), kind_(kind) {
    reload();
}

void CategoryTree::reload() {
    clear();
    nodes_.clear();
    for (const TreeNode& n : base_.roots(kind_)) append(invisibleRootItem(), n);
}

void CategoryTree::append(QStandardItem* parent, const TreeNode& node) {
    auto* item = new QStandardItem(node.text);
    item->setEditable(false);
    item->setData(int(nodes_.size()), NodeRole);
    nodes_.append(node);
    if (!node.isLeaf()) {
        auto* placeholder = new QStandardItem(placeholderText());
        placeholder->setEditable(false);
        item->appendRow(placeholder);
    }
    parent->appendRow(item);
}

TreeNode CategoryTree::node(const QModelIndex& index) const {
    const QVariant at = data(index, NodeRole);
    if (!at.isValid()) return {};
    return nodes_.value(at.toInt());
}

qint64 CategoryTree::entryId(const QModelIndex& index) const {
    const QVariant at = data(index, NodeRole);
    if (!at.isValid()) return 0;
    const TreeNode& n = nodes_.at(at.toInt());
    return n.isLeaf() ? n.id : 0;
}

bool CategoryTree::open(const QModelIndex& index) {
    QStandardItem* item = itemFromIndex(index);
    if (!item || !data(index, NodeRole).isValid()) return false;
    const TreeNode n = node(index);
    if (n.isLeaf() || item->rowCount() != 1 || item->child(0)->data(NodeRole).isValid()) return false;
    item->removeRow(0);  // the placeholder
    for (const TreeNode& child : base_.children(kind_, n)) append(item, child);
    return true;
}

}  // namespace qh::reference
