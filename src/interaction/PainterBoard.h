#pragma once
// The drawing-board backend that paints: on a screen image, a printer or a PDF writer, any
// QPaintDevice. A job's page (its width and height in the drawing's units) is fitted into
// the device's paintable area, keeping its proportions, centred across and at the top; a
// paged device (printer, PDF) starts a new sheet at every newPage(). Text sizes are points
// of a drawing unit taken as one pixel at 96 per inch, so a drawing measured in screen
// pixels comes out at the same proportions on any device.
#include <QPainter>

#include "interaction/DrawingBoard.h"

class QPaintDevice;

namespace qh::ui {

class PainterBoard : public BoardBackend {
public:
    explicit PainterBoard(QPaintDevice& device) : device_(device) {}
    ~PainterBoard() override;

    void beginJob(double width, double height) override;
    void newPage() override;
    void endJob() override;
    void clear(double x1, double y1, double x2, double y2) override;
    void line(double x1, double y1, double x2, double y2, const BoardPen& pen) override;
    void ellipse(double x1, double y1, double x2, double y2, const BoardPen& pen) override;
    void text(double x, double y, const QString& text, const BoardFont& font) override;

    // False when the device could not be painted on (a printer that failed to start).
    bool ok() const { return ok_; }

private:
    bool ready();
    void applyTransform();
    QPen qpen(const BoardPen& pen) const;

    QPaintDevice& device_;
    QPainter painter_;
    double width_ = 0, height_ = 0;
    bool ok_ = true;
};

// 0x00BBGGRR as a colour and back.
QColor boardColour(quint32 bgr);

}  // namespace qh::ui
