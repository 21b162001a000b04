#pragma once
// The main window: banner, menu bar and command panel (CommandMenus), the patient and bed
// lists on the left (PatientListPanel, BedListPanel), the work area on the right
// (PageRegistry), the clock and the tray. Features install themselves through the
// Workbench interface; the window itself only assembles the parts.
#include <QMainWindow>
#include <QPointer>

#include "shell/ui/Workbench.h"

class QLabel;
class QSplitter;
class QSystemTrayIcon;
class QTabWidget;

namespace qh::shell {

class BedListPanel;
class CommandMenus;
class HelpWindow;
class PatientListPanel;

class MainWindow : public QMainWindow, public Workbench {
    Q_OBJECT
public:
    // Opening closes loginWindow (when given).
    MainWindow(const UserContext& user, const store::DataDirectory& files, ui::UserInterface& ui,
               QWidget* loginWindow = nullptr);
    ~MainWindow() override;

    // Workbench
    const UserContext& user() const override { return user_; }
    void changeUser(const UserContext& user) override;
    const store::DataDirectory& files() const override { return files_; }
    ui::UserInterface& userInterface() override { return ui_; }
    PatientSelection& selection() override { return selection_; }
    CommandRegistry& commands() override { return commands_; }
    PageRegistry& pages() override { return *pages_; }
    PatientListControl& patientList() override;
    QWidget* window() override { return this; }
    void setOpenDocument(EditableDocument* document) override { document_ = document; }
    EditableDocument* openDocument() const override { return document_; }
    void offerSaveIfShowingRecords() override;
    void setPatientInformation(QWidget* form, EditableDocument* document) override;
    QWidget* patientInformationForm() const override { return informationForm_; }
    EditableDocument* patientInformationDocument() const override { return informationDocument_; }
    QVector<qint64> tickedBeds() const override;
    void addClosingOffer(std::function<void()> offer) override { closingOffers_.push_back(std::move(offer)); }

    CommandMenus& menus() const { return *menus_; }
    PatientListPanel& listPanel() const { return *listPanel_; }
    void showHelp();
    // Shows the window as it was left at the last close (size, position, maximized, the
    // splitter between list and work area), maximized the first time; from then on the
    // layout is kept when the window closes.
    void showAsLeft();

protected:
    // Offers to save the open document or form before the window closes.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTray();
    void selectionChanged();
    void choosePatientFromBed(qint64 id);
    void giveEditorsTheirPageWidth();

    UserContext user_;
    store::DataDirectory files_;
    ui::UserInterface& ui_;
    PatientSelection selection_;
    CommandRegistry commands_;
    EditableDocument* document_ = nullptr;
    std::vector<std::function<void()>> closingOffers_;
    QWidget* informationForm_ = nullptr;
    EditableDocument* informationDocument_ = nullptr;

    CommandMenus* menus_ = nullptr;
    PageRegistry* pages_ = nullptr;
    PatientListPanel* listPanel_ = nullptr;
    BedListPanel* bedPanel_ = nullptr;
    QTabWidget* leftTabs_ = nullptr;
    QSplitter* splitter_ = nullptr;
    bool keepsLayout_ = false;
    QLabel* clock_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QPointer<HelpWindow> help_;
};

}  // namespace qh::shell
