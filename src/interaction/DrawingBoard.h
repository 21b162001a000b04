#pragma once
// A surface that forms are drawn on, for the screen, the printer and PDF alike: clear a
// rectangle, draw lines and ellipses, write text at a point. The board keeps the pen (width,
// colour, dashed) and the text settings (colour, transparent background, font name, size,
// bold) between calls, as the forms set them once and draw many times. Coordinates are in
// the drawing's own units (the temperature chart uses pixels of a 620 × 868 page); colours
// are 0x00BBGGRR values.
//
// A print job brackets several pages: beginJob(width, height) with the page's size in the
// drawing's units, newPage() between pages, endJob() at the end. Drawing outside a job draws
// on page 1 (the screen).
//
// What the board does with the calls is its backend's business: PainterBoard paints them
// with a QPainter (a screen image, a printer, a PDF file), RecordingBoard writes one text
// line per call for tests and reviewers (docs/drawing-board.md).
#include <QString>

namespace qh::ui {

struct BoardPen {
    double width = 1;
    quint32 colour = 0;  // 0x00BBGGRR
    bool dashed = false;
};

struct BoardFont {
    QString name = QStringLiteral("宋体");
    double size = 9;  // points
    bool bold = false;
    quint32 colour = 0;       // text colour, 0x00BBGGRR
    bool transparent = true;  // false: the text's box is filled white first
};

// What a backend implements; DrawingBoard hands it every call with the settings in force.
class BoardBackend {
public:
    virtual ~BoardBackend() = default;
    virtual void beginJob(double width, double height) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    // Fills the rectangle white.
    virtual void clear(double x1, double y1, double x2, double y2) = 0;
    virtual void line(double x1, double y1, double x2, double y2, const BoardPen& pen) = 0;
    // The ellipse inside the bounding rectangle (x1, y1)-(x2, y2).
    virtual void ellipse(double x1, double y1, double x2, double y2, const BoardPen& pen) = 0;
    // Text whose top-left corner is at (x, y); "\n" starts a new line below.
    virtual void text(double x, double y, const QString& text, const BoardFont& font) = 0;
};

class DrawingBoard {
public:
    explicit DrawingBoard(BoardBackend& backend) : backend_(backend) {}

    // --- Settings, kept until changed ---
    void setPenWidth(double width) { pen_.width = width; }
    void setPenColour(quint32 bgr) { pen_.colour = bgr; }
    void setDashed(bool dashed) { pen_.dashed = dashed; }
    void setPen(double width, quint32 bgr, bool dashed = false) { pen_ = {width, bgr, dashed}; }
    void setTextColour(quint32 bgr) { font_.colour = bgr; }
    void setTransparentText(bool transparent) { font_.transparent = transparent; }
    void setFontName(const QString& name) { font_.name = name; }
    void setFontSize(double points) { font_.size = points; }
    void setBold(bool bold) { font_.bold = bold; }
    void setFont(double points, bool bold = false) {
        font_.size = points;
        font_.bold = bold;
    }
    const BoardPen& pen() const { return pen_; }
    const BoardFont& font() const { return font_; }

    // --- Drawing ---
    void clear(double x1, double y1, double x2, double y2) { backend_.clear(x1, y1, x2, y2); }
    void line(double x1, double y1, double x2, double y2) { backend_.line(x1, y1, x2, y2, pen_); }
    // Four lines: the frame of (x1, y1)-(x2, y2).
    void rectangle(double x1, double y1, double x2, double y2);
    void ellipse(double x1, double y1, double x2, double y2) { backend_.ellipse(x1, y1, x2, y2, pen_); }
    // A circle of radius r centred at (x, y): the ellipse in x-r, y-r, x+r, y+r.
    void circle(double x, double y, double r) { ellipse(x - r, y - r, x + r, y + r); }
    void text(double x, double y, const QString& text) { backend_.text(x, y, text, font_); }

    // --- Print jobs ---
    void beginJob(double width, double height);
    void newPage();
    void endJob();
    bool inJob() const { return inJob_; }
    // The page being drawn, from 1.
    int page() const { return page_; }

private:
    BoardBackend& backend_;
    BoardPen pen_;
    BoardFont font_;
    bool inJob_ = false;
    int page_ = 1;
};

}  // namespace qh::ui
