#pragma once
// Printing the chart without a window: the pages of a stay to a PDF file or to the drawing
// board's recording (a .tsv file), as the administrator's print command does.
#include <QDateTime>
#include <QString>

#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::ui {
class DrawingBoard;
}

namespace qh::vitals {

// The hospital's name, as the title of printed sheets shows it (备份.医院名称).
QString hospitalName(const store::DataDirectory& files);

// Draws the chart's pages (all, or only `page` when it is above 0) as one print job on the
// board. Returns the number of pages drawn; 0 when the page does not exist.
int printChart(ui::DrawingBoard& board, const store::DataDirectory& files, const shell::PatientContext& patient,
               const QDate& today, int page = 0);

}  // namespace qh::vitals
