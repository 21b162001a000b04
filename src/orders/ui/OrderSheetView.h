#pragma once
// The order-sheet print view: the sheet selector ("长期医嘱单", "临时医嘱单"), the page as it
// will be printed (title, patient line, grid), "第 n 页" with the paging buttons and "共n页",
// printing and PDF of the current page or of all pages.
#include <QWidget>

#include "orders/OrderSheet.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace qh::ui {
class UserInterface;
}

namespace qh::orders {

// A page of a printed form drawn on the screen through the drawing board.
class FormCanvas : public QWidget {
    Q_OBJECT
public:
    using Draw = std::function<void(ui::DrawingBoard&)>;
    FormCanvas(double width, double height, double scale, QWidget* parent = nullptr);
    void setDrawing(Draw draw);
    void setPaper(double width, double height);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double width_, height_, scale_;
    Draw draw_;
};

class OrderSheetView : public QWidget {
    Q_OBJECT
public:
    OrderSheetView(const store::DataDirectory& files, ui::UserInterface& ui, QWidget* parent = nullptr);

    // Opens the chosen sheet of the patient at page 1.
    void showPatient(const shell::PatientContext& patient);
    void setKind(SheetKind kind);
    SheetKind kind() const { return sheet_.kind(); }
    void showPage(int page);
    int page() const { return page_; }
    int pageCount() const { return sheet_.pageCount(); }
    const OrderSheet& sheet() const { return sheet_; }
    QString pageText() const;
    QString countText() const;

    // The current page or all pages, on the printer (its dialog first) or to a PDF file.
    void printSheet();
    bool exportPdf(const QString& path, bool allPages);

private:
    void open();
    QString title() const;

    store::DataDirectory files_;
    ui::UserInterface& ui_;
    shell::PatientContext patient_;
    OrderSheet sheet_;
    QString hospital_;
    int page_ = 1;

    QComboBox* selector_;
    QLabel* patientLine_;
    QLabel* pageLabel_;
    QLabel* count_;
    QPushButton* previous_;
    QPushButton* next_;
    QComboBox* range_;
    FormCanvas* canvas_;
};

}  // namespace qh::orders
