// The drawing board: what the recording writes, and that the painter puts the same drawing
// on an image and on the pages of a PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>

#include "interaction/DrawingBoard.h"
#include "interaction/PainterBoard.h"
#include "interaction/RecordingBoard.h"
#include "support/temp_dir.h"

namespace qh::ui {
namespace {

TEST(RecordingBoard, OneLinePerCallWithPagesAndSettings) {
    RecordingBoard recorder;
    DrawingBoard board(recorder);
    board.clear(0, 0, 620, 868);  // outside a job: page 1
    board.beginJob(620, 868);
    board.setPen(2, 0x000000FF);
    board.line(30, 85, 590, 85.5);
    board.setDashed(true);
    board.line(1, 2, 3, 4);
    board.newPage();
    board.setPen(3, 0x00FF0000);
    board.circle(144, 455, 2);
    board.setFontName("黑体");
    board.setFont(7, true);
    board.setTextColour(0x00FF0000);
    board.text(12.25, -3, "手\r\n术\t1\\2");
    board.endJob();
    EXPECT_EQ(recorder.lines(), QStringList({"1\tclear\t0\t0\t620\t868", "1\tline\t30\t85\t590\t85.5\t2\t255\t0",
                                             "1\tline\t1\t2\t3\t4\t2\t255\t1", "2\tellipse\t142\t453\t146\t457\t3\t16711680",
                                             "2\ttext\t12.25\t-3\t黑体\t7\t1\t16711680\t手\\r\\n术\\t1\\\\2"}));
    EXPECT_EQ(board.page(), 2);
    EXPECT_EQ(RecordingBoard::number(0.1 + 0.2), "0.3");
}

TEST(PainterBoard, FitsThePageIntoTheImage) {
    QImage image(310, 434, QImage::Format_RGB32);  // half the drawing's size
    image.fill(Qt::black);
    {
        PainterBoard painter(image);
        DrawingBoard board(painter);
        board.beginJob(620, 868);
        board.clear(0, 0, 620, 868);
        board.setPen(4, 0x000000FF);
        board.line(20, 100, 600, 100);
        board.setTextColour(0x00FF0000);
        board.setFont(20, true);
        board.text(100, 300, "体温");
        board.endJob();
    }
    EXPECT_EQ(image.pixelColor(5, 400), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(150, 50), QColor(Qt::red));
    int blue = 0;
    for (int y = 150; y < 175; ++y)
        for (int x = 50; x < 90; ++x)
            if (image.pixelColor(x, y).blue() > 200 && image.pixelColor(x, y).red() < 100) ++blue;
    EXPECT_GT(blue, 10);
}

TEST(PainterBoard, APdfGetsOneSheetPerPage) {
    test::TempDir dir;
    const QString path = dir.file("board.pdf");
    {
        QPdfWriter writer(path);
        PainterBoard painter(writer);
        DrawingBoard board(painter);
        board.beginJob(620, 868);
        for (int p = 0; p < 3; ++p) {
            if (p) board.newPage();
            board.line(0, 0, 620, 868);
        }
        board.endJob();
        EXPECT_TRUE(painter.ok());
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString pdf = QString::fromLatin1(f.readAll());
    EXPECT_EQ(pdf.count(QRegularExpression("/Type\\s*/Page\\b")), 3);
}

}  // namespace
}  // namespace qh::ui
