#pragma once
// "床位列表": the department's beds with a tick box each and the initials search box. The
// infusion and execution sheets print for the ticked rows.
#include <QVector>
#include <QWidget>

#include "shell/BedList.h"

class QLineEdit;
class QListWidget;

namespace qh::shell {

class BedListPanel : public QWidget {
    Q_OBJECT
public:
    BedListPanel(const store::DataDirectory& files, const QString& department, QWidget* parent = nullptr);

    void fill(const QString& searchText);
    // Reads the list again with the search box's text (when the tab is shown).
    void refresh();
    QVector<qint64> tickedSerials() const { return beds_.tickedSerials(); }

signals:
    // A row was double-clicked: the patient's 编号.
    void patientChosen(qint64 id);

private:
    BedList beds_;
    QLineEdit* search_;
    QListWidget* list_;
    bool filling_ = false;
};

}  // namespace qh::shell
