#pragma once
// A kind's category tree as an item model, loaded one level at a time: a node whose
// children are not loaded yet carries the single child "待加入", which opening the node
// replaces by the real children.
#include <QList>
#include <QStandardItemModel>

#include "reference/ReferenceBase.h"

namespace qh::reference {

class CategoryTree : public QStandardItemModel {
    Q_OBJECT
public:
    static QString placeholderText();  // "待加入"

    CategoryTree(ReferenceBase base, Kind kind, QObject* parent = nullptr);

    Kind kind() const { return kind_; }
    // Loads the first level again; everything opened before is closed.
    void reload();
    // Loads the node's children in place of its placeholder. False, and nothing loaded,
    // for an entry, the placeholder itself, or a node opened before.
    bool open(const QModelIndex& index);
    // The node an index shows (the placeholder shows none: an empty category node).
    TreeNode node(const QModelIndex& index) const;
    // The entry's key; 0 for a category, a sub-category or the placeholder.
    qint64 entryId(const QModelIndex& index) const;

private:
    void append(QStandardItem* parent, const TreeNode& node);

    ReferenceBase base_;
    Kind kind_;
    QList<TreeNode> nodes_;  // by the index kept in each item
};

}  // namespace qh::reference
