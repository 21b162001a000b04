#pragma once
// The print dialog of a paged view: which of its pages to print.
#include <optional>

class QPrinter;
class QWidget;

namespace qh::ui {

struct PageRange {
    int first = 1, last = 1;
};

// Shows the print dialog for a document of `pageCount` pages that has page `current` on
// screen, preset to all pages or to the current one; the pages chosen, none when cancelled.
std::optional<PageRange> askPageRange(QPrinter& printer, QWidget* parent, int pageCount, int current, bool allPages);

}  // namespace qh::ui
