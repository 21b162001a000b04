#pragma once
// The front-page tab of the main window: " 基本信息 " (the western page), " 中医信息 " (the TCM
// additions) and " 首页预览 " (the printed form). The two forms are Designer files laid out
// like the paper, their Tab order the paper's; this view fills and reads them by the column
// names their fields carry and leaves the rules to FrontPageRecord.
#include <QWidget>
#include <functional>
#include <memory>

#include "frontpage/CodeLookup.h"
#include "frontpage/FrontPageColumns.h"
#include "frontpage/FrontPageRecord.h"
#include "shell/PatientSelection.h"
#include "shell/UserContext.h"

class QComboBox;
class QLineEdit;
class QTabWidget;
class QTableWidget;
class QPushButton;

namespace Ui {
class WesternForm;
class TcmForm;
}

namespace qh::records {
class DocumentEditor;
}

namespace qh::frontpage {

class FrontDateEdit;

class FrontPageView : public QWidget {
    Q_OBJECT
public:
    FrontPageView(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                  shell::PatientSelection& selection, QWidget* parent = nullptr);
    ~FrontPageView() override;

    // Opens the selected patient's front page (disabled with nobody selected).
    void refresh();
    // Asks whether to save the shown patient's changed pages (before another patient is
    // shown, and when the main window closes).
    void offerSaveOfShownPatient();
    // Saves the page that shows (the western or the TCM page).
    void saveShown();
    // Prints the preview / writes it as PDF (after offering to save).
    void printFrontPage();
    void exportPdf(const QString& path = {});
    // The preview of the saved front page.
    void buildPreview();

    // For tests and screenshots.
    QTabWidget* tabs() const { return tabs_; }
    QWidget* westernForm() const { return westernRoot_; }
    QWidget* tcmForm() const { return tcmRoot_; }
    QTableWidget* resultList(bool tcm) const { return tcm ? tcmResults_ : westernResults_; }
    records::DocumentEditor* preview() const { return preview_; }
    FrontPageValues westernValues() const;
    FrontPageValues tcmValues() const;
    // Whether the coder changed the forms since they were shown (loaded or prefilled) or saved.
    bool hasUnsavedChanges() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillDropDowns();
    void showValues(const FrontPageValues& values);
    FrontPageValues collect(QWidget* root, const QList<FrontPageColumn>& columns) const;
    void remember();
    void dateChanged(FrontDateEdit* field);
    void updateStayDays();
    void search(CodeSource source, const QString& typed, QWidget* anchor, const QRect& anchorRect);
    void pick();
    bool offerSaveBeforePrinting();
    // Saves the pages that differ from what was loaded or saved last.
    void saveChangedPages();

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    shell::PatientSelection& selection_;
    FrontPageRecord record_;

    QTabWidget* tabs_ = nullptr;
    std::unique_ptr<Ui::WesternForm> western_;
    std::unique_ptr<Ui::TcmForm> tcm_;
    QWidget* westernRoot_ = nullptr;
    QWidget* tcmRoot_ = nullptr;
    records::DocumentEditor* preview_ = nullptr;
    QTableWidget* westernResults_ = nullptr;
    QTableWidget* tcmResults_ = nullptr;

    // What the last lookup was started from, so a pick knows where name and code go.
    struct Pending {
        CodeSource source = CodeSource::DischargeDiagnosis;
        QTableWidget* grid = nullptr;
        int row = -1;
        int nameColumn = -1, codeColumn = -1;
        QLineEdit* nameField = nullptr;
        QLineEdit* codeField = nullptr;
    } pending_;

    QString serial_;
    QString name_;  // the patient's name for the messages, kept with the key
    FrontPageValues savedWestern_, savedTcm_;
    QDateTime admissionShown_, dischargeShown_;
    bool filling_ = false;
};

}  // namespace qh::frontpage
