#pragma once
// The catalogue window in fee mode ("新增费用") or drug mode ("新增药品"): search on the
// left, the item's form on the right, and the commands add, save, disable, re-enable.
#include <QDialog>
#include <QHash>

#include "catalogue/Catalogue.h"
#include "interaction/DataGrid.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace qh::ui {
class DataGridView;
}

namespace qh::catalogue {

class CatalogueWindow : public QDialog {
    Q_OBJECT
public:
    CatalogueWindow(const store::DataDirectory& files, ui::UserInterface& ui, Mode mode, QWidget* parent = nullptr);

    void search();
    // Shows the item in the form (the grid's row r, 1-based).
    void loadRow(int r);
    void addItem();
    void saveItem();
    void disableItem();
    void enableItem();

    // The form's fields by their column name (xmmc, xmsy, xmdj …), for tests and screenshots.
    QLineEdit* field(const QString& column) const { return fields_.value(column); }
    QComboBox* categoryBox() const { return category_; }
    QComboBox* kindBox() const { return kind_; }
    QLineEdit* searchBox() const { return searchText_; }
    QCheckBox* skinTestBox() const { return skinTest_; }
    ui::DataGrid& results() { return grid_; }
    QString status() const;

private:
    Item formItem() const;
    void showItem(const Item& item);

    Catalogue catalogue_;
    Lists lists_;
    Item current_;
    ui::DataGrid grid_;
    ui::DataGridView* view_;
    QComboBox* kind_;
    QLineEdit* searchText_;
    QComboBox* category_;
    QComboBox* type_;
    QComboBox* form_ = nullptr;
    QComboBox* doseUnit_ = nullptr;
    QCheckBox* skinTest_ = nullptr;
    QHash<QString, QLineEdit*> fields_;
    QLabel* status_;
};

}  // namespace qh::catalogue
