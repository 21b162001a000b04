#include "interaction/ui/PrintRange.h"

#include <QPrintDialog>
#include <QPrinter>

namespace qh::ui {

std::optional<PageRange> askPageRange(QPrinter& printer, QWidget* parent, int pageCount, int current, bool allPages) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(current, allPages ? pageCount : current);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PageRange range{1, pageCount};
    if (printer.printRange() == QPrinter::PageRange) {
        range = {printer.fromPage(), printer.toPage()};
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        range = {current, current};
    }
    return range;
}

}  // namespace qh::ui
