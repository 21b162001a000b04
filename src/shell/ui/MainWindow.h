#pragma once
// The main window: banner, menu bar, command panel, the patient list with its doctor
// switch, status options, search page and bed list on the left, and the work-area pages
// on the right. Windows of later features register their command handlers and pages here.
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "shell/BedList.h"
#include "shell/MainCommands.h"
#include "shell/OfferSave.h"
#include "shell/PatientContext.h"
#include "shell/PatientList.h"
#include "shell/UserContext.h"
#include "interaction/UserInterface.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QRadioButton;
class QStackedWidget;
class QSystemTrayIcon;
class QTabBar;
class QTabWidget;
class QTimer;
class QToolBar;

namespace qh::shell {

class HelpWindow;

// Work-area page indices.
enum WorkPage { RecordsPage0 = 0, RecordsPage = 1, ChartPage = 2, OrdersPage = 3, SheetPage = 5, FrontPage = 6 };

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Opening closes loginWindow (when given).
    MainWindow(const UserContext& user, ui::UserInterface& ui, QWidget* loginWindow = nullptr);
    ~MainWindow() override;

    const UserContext& user() const { return user_; }
    PatientContext& patient() { return patient_; }
    PatientList& patientList() { return list_; }
    ui::UserInterface& userInterface() { return ui_; }

    // A later feature makes its command available: every menu item, panel entry and list
    // menu item with this id is enabled and runs the handler.
    void setCommandHandler(const QString& id, std::function<void()> handler);
    bool isCommandAvailable(const QString& id) const { return handlers_.contains(id); }
    QList<QAction*> actions(const QString& id) const { return actions_.value(id); }
    // Places a feature's page into the work area at its index; refresh runs when a patient
    // is selected while that page shows.
    void setPage(int index, QWidget* page, std::function<void()> refresh = {});
    void showPage(int index);
    int currentPage() const;
    // The record document open in the editor, offered for saving before the patient
    // or the list changes. nullptr when none.
    void setOpenDocument(EditableDocument* document) { document_ = document; }
    EditableDocument* openDocument() const { return document_; }
    // The 编号 of the patient selected in the list; 0 when none.
    qint64 selectedPatientId() const;
    // OfferSave, asked only while a record page shows: elsewhere the editor's document is
    // not in front of the user.
    void offerSaveIfShowingRecords();

    // The list's operations, as the controls run them.
    void switchDoctor(int tab);                   // 0 own patients, 1 department
    void chooseStatus(PatientStatus status);      // a status option clicked
    void selectPatientRow(int row);               // SelectPatient
    void refreshList();                           // after admission or a status change
    QString runSearch(SearchKind kind, const QString& text);
    void fillBedList(const QString& searchText);
    QVector<qint64> tickedBeds() const { return beds_.tickedSerials(); }
    void showHelp();
    QMenu* patientListMenu() const { return listMenu_; }

signals:
    void patientSelected();

private:
    void buildMenus();
    void buildCommandPanel();
    QWidget* buildListPanel();
    QWidget* buildSearchPage();
    QWidget* buildBedPage();
    void buildTray();
    void addCommand(QAction* action, const QString& id);
    void runCommand(const QString& id);
    void showRows();
    void updateStatusCommands();
    void tick();

    UserContext user_;
    ui::UserInterface& ui_;
    PatientContext patient_;
    PatientList list_;
    BedList beds_;
    EditableDocument* document_ = nullptr;
    ListMode mode_ = ListMode::Name;

    QHash<QString, QList<QAction*>> actions_;
    QHash<QString, std::function<void()>> handlers_;
    QHash<int, std::function<void()>> pageRefresh_;

    QLabel* banner_ = nullptr;
    QLabel* clock_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* summary_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QLineEdit* bedSearch_ = nullptr;
    QTabBar* doctorSwitch_ = nullptr;
    QTabWidget* leftTabs_ = nullptr;
    QListWidget* patients_ = nullptr;
    QListWidget* bedList_ = nullptr;
    QList<QRadioButton*> statusOptions_;
    QButtonGroup* searchKinds_ = nullptr;
    QStackedWidget* work_ = nullptr;
    QToolBar* panel_ = nullptr;
    QMenu* listMenu_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QTimer* timer_ = nullptr;
    QPointer<HelpWindow> help_;
    bool fillingBeds_ = false;
    bool fillingRows_ = false;
};

}  // namespace qh::shell
