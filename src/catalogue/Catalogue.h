#pragma once
// The catalogue of fee items and drugs (ddt_costitems): the form's lists, search by
// category, loading an item, adding a fee item or a drug, saving changes, disabling and
// re-enabling. Items are never deleted. Numbers are checked before any statement runs.
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::catalogue {

enum class Mode { Fee, Drug };  // "新增费用" / "新增药品"

// Search kinds: the three drug categories, materials, and the other fee items.
enum class SearchKind { WesternDrugs, PatentDrugs, Herbs, Materials, FeeItems };

struct Category {
    QString name;  // adm_xmlb.xmmc
    int number = 0;  // the number of its code: XMLB012 -> 12
};

struct Lists {
    QVector<Category> categories;
    QStringList departments;  // 医技科室 and 药剂部门 of YWBM, then "临床科室"
    QStringList forms, doseUnits, drugClasses;  // drug mode: 药品剂型, 剂量单位, 药品分类
};

// An item as the form holds it; numbers stay texts until they are checked.
struct Item {
    qint64 xmid = 0;
    QString name, initials, type, itCode, unit, price, doseUnit, dosePrice, insurance;
    int category = 0;       // the category number; 0 none chosen
    QString categoryName;   // mc
    QString state;          // xmzt: "OK" or "Del"
    // drug fields
    QString spec, wholesale, ratio1, ratio2, form, attribute, dm, gz, cf, zz, skinTest, defaultDose, defaultDoseUnit;
};

// A search result with the columns of the catalogue grid.
struct Found {
    qint64 xmid = 0;
    QString name, spec, unit, price, doseUnit, dosePrice, attribute, insurance, state;
};

inline const QString kTitle = QStringLiteral("青禾电子病历");
inline const QString kAdminTitle = QStringLiteral("青禾医院管理系统");

// "XMLB" + the number with zeros in front to three digits (12 -> "XMLB012").
QString categoryCode(int number);
// The number of a category code ("XMLB012" -> 12), 0 for anything else.
int categoryNumber(const QString& code);

class Catalogue {
public:
    Catalogue(const store::DataDirectory& files, ui::UserInterface& ui, Mode mode)
        : files_(files), ui_(ui), mode_(mode) {}

    Mode mode() const { return mode_; }
    QString caption() const;  // "新增费用" / "新增药品"

    Lists lists() const;
    // Items of the kind whose name or search code holds the text (wildcards are characters).
    QVector<Found> search(SearchKind kind, const QString& text) const;
    std::optional<Item> load(qint64 xmid) const;
    // The status line of a loaded item: "此费用项目已禁止" / "此药品已禁止", or empty.
    QString statusText(const Item& item) const;

    // Add and save show their messages; an empty search code is filled with the initials
    // of the name. The new item's xmid is returned through `xmid`.
    bool addFeeItem(const Item& item, qint64* xmid = nullptr);
    bool addDrug(const Item& item, qint64* xmid = nullptr);
    bool save(const Item& item);
    // Disable and re-enable with their question; true when the state changed.
    bool disable(const Item& item);
    bool enable(const Item& item);

private:
    // The refusal of a number field that holds no number, shown before any statement runs.
    bool checkNumbers(const Item& item, bool drug) const;
    bool setState(qint64 xmid, const QString& state);

    store::DataDirectory files_;
    ui::UserInterface& ui_;
    Mode mode_;
};

}  // namespace qh::catalogue
