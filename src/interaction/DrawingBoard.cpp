#include "interaction/DrawingBoard.h"

namespace qh::ui {

void DrawingBoard::rectangle(double x1, double y1, double x2, double y2) {
    line(x1, y1, x2, y1);
    line(x2, y1, x2, y2);
    line(x2, y2, x1, y2);
    line(x1, y2, x1, y1);
}

void DrawingBoard::beginJob(double width, double height) {
    if (inJob_) endJob();
    inJob_ = true;
    page_ = 1;
    backend_.beginJob(width, height);
}

void DrawingBoard::newPage() {
    ++page_;
    backend_.newPage();
}

void DrawingBoard::endJob() {
    if (!inJob_) return;
    inJob_ = false;
    backend_.endJob();
}

}  // namespace qh::ui
