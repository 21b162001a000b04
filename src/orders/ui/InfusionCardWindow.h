#pragma once
// "输 液 卡": the infusion cards of the beds ticked in the bed list for a date and an option
// ("所有", "临时", "长期"), and on the second tab the selected patient's prescriptions of
// that date with the slip of the chosen one. Show, print and PDF for both.
#include <QDate>
#include <QWidget>
#include <functional>

#include "orders/InfusionCard.h"
#include "orders/PrescriptionSlip.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

class QButtonGroup;
class QDateTimeEdit;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace qh::ui {
class UserInterface;
}

namespace qh::orders {

class FormCanvas;

class InfusionCardWindow : public QWidget {
    Q_OBJECT
public:
    using TickedBeds = std::function<QVector<qint64>()>;
    using CurrentPatient = std::function<shell::PatientContext()>;
    InfusionCardWindow(const store::DataDirectory& files, const QString& user, ui::UserInterface& ui,
                       TickedBeds beds, CurrentPatient patient, QWidget* parent = nullptr);

    void setDate(const QDate& day);
    QDate date() const;
    void setOption(CardOption option);
    CardOption option() const;

    // ShowInfusionCards: the cards of the ticked beds, page 1.
    void showCards();
    void showCardPage(int page);
    const InfusionCards& cards() const { return cards_; }
    // ListPrescriptions and ShowPrescriptionSlip.
    void listPrescriptions();
    void showSlip(int entry);
    const QVector<PrescriptionEntry>& prescriptions() const { return entries_; }
    QListWidget* prescriptionList() const { return list_; }
    QTabWidget* tabs() const { return tabs_; }

    // The cards (all pages) or the chosen slip on the printer, or to a PDF file.
    void print();
    bool exportPdf(const QString& path);

private:
    int drawInto(ui::DrawingBoard& board) const;

    store::DataDirectory files_;
    QString user_;
    ui::UserInterface& ui_;
    TickedBeds beds_;
    CurrentPatient patient_;
    InfusionCards cards_;
    int cardPage_ = 1;
    QVector<PrescriptionEntry> entries_;
    std::optional<PrescriptionSlip> slip_;

    QDateTimeEdit* date_;
    QButtonGroup* options_;
    QTabWidget* tabs_;
    FormCanvas* cardCanvas_;
    FormCanvas* slipCanvas_;
    QLabel* cardPageLabel_;
    QPushButton* previous_;
    QPushButton* next_;
    QListWidget* list_;
};

}  // namespace qh::orders
