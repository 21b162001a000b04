#pragma once
// The reference knowledge a doctor consults while writing: formulae, Chinese herbs and
// internal-medicine syndromes of ZYBD.mdb, western drug instructions (also ZYBD.mdb) and
// the disease information of fwqdz.mdb. Everything here only reads; each call opens the
// file it needs and closes it again.
#include <QList>
#include <QString>
#include <optional>

#include "store/DatabaseFiles.h"

namespace qh::reference {

enum class Kind { Formula, Herb, Internal, WesternDrug, Disease };

// The kind's caption ("方剂", "中药", "中医内科", "西药说明", "诊疗常规").
QString kindCaption(Kind kind);
// The kind an administrator names: formula, herb, internal, drug, disease.
std::optional<Kind> kindNamed(const QString& word);
QList<Kind> allKinds();

// One entry of a list or a leaf of a tree.
struct Entry {
    qint64 id = 0;
    QString name;
    bool operator==(const Entry&) const = default;
};

// A node of a category tree. A category holds sub-categories or entries, a sub-category
// entries; an entry is a leaf and carries the row's key.
struct TreeNode {
    enum class Level { Category, SubCategory, Entry };
    Level level = Level::Category;
    QString text;
    qint64 code = 0;     // DXDM / DLDM (SX of a department)
    qint64 subCode = 0;  // XLDM of a sub-category
    QString group;       // FJXL of a formula sub-category; 科室 of a department
    qint64 id = 0;       // the entry's key
    bool isLeaf() const { return level == Level::Entry; }
};

// Western drugs are searched in two ways: the initials anywhere in YPJS, or only at its start.
enum class InitialsMatch { Anywhere, AtStart };

class ReferenceBase {
public:
    explicit ReferenceBase(store::DataDirectory files) : files_(std::move(files)) {}

    // The first level of the kind's tree (western drugs have no categories: all drugs).
    QList<TreeNode> roots(Kind kind) const;
    // What opening a node shows; nothing for an entry.
    QList<TreeNode> children(Kind kind, const TreeNode& node) const;

    // Entries whose name or initials contain the text (western drugs by `match`), sorted by
    // name. An empty text lists every entry.
    QList<Entry> search(Kind kind, const QString& text, InitialsMatch match = InitialsMatch::Anywhere) const;

    // The entry's text, every heading shown even when its value is empty; lines end "\r\n".
    // Empty when there is no such entry.
    QString detail(Kind kind, qint64 id) const;
    // The formula with one line per herb and the herb's actions; a herb the base does not
    // know gets no line.
    QString formulaAnalysis(qint64 formulaId) const;
    // The formulae that use the herb, by category.
    QString herbFormulae(qint64 herbId) const;

    // The herbs of a formula's FJZC, in order, trimmed, empty items dropped.
    static QStringList formulaHerbs(const QString& fjzc);

private:
    store::DataDirectory files_;
};

}  // namespace qh::reference
