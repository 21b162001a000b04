#pragma once
// A drawing-board backend that writes what was drawn, one tab-separated line per call, so
// that tests and reviewers read exactly where every line, circle and text went:
//   page  clear    x1 y1 x2 y2
//   page  line     x1 y1 x2 y2 width colour dashed(0/1)
//   page  ellipse  x1 y1 x2 y2 width colour
//   page  text     x y font size bold(0/1) colour text
// Numbers are written as integers when whole, colours as the decimal 0x00BBGGRR value,
// pages from 1; in a text, a backslash, tab, carriage return and line feed are written as
// \\, \t, \r and \n. docs/drawing-board.md describes the format.
#include <QStringList>

#include "interaction/DrawingBoard.h"

namespace qh::ui {

class RecordingBoard : public BoardBackend {
public:
    void beginJob(double width, double height) override;
    void newPage() override;
    void endJob() override;
    void clear(double x1, double y1, double x2, double y2) override;
    void line(double x1, double y1, double x2, double y2, const BoardPen& pen) override;
    void ellipse(double x1, double y1, double x2, double y2, const BoardPen& pen) override;
    void text(double x, double y, const QString& text, const BoardFont& font) override;

    const QStringList& lines() const { return lines_; }
    // The whole recording, every line ended by "\n".
    QString recording() const;
    void reset() {
        lines_.clear();
        page_ = 1;
    }

    // A number as the recording writes it: "12", "124.5", "-3".
    static QString number(double v);
    static QString escaped(const QString& text);

private:
    void add(const QStringList& fields);

    QStringList lines_;
    int page_ = 1;
};

}  // namespace qh::ui
