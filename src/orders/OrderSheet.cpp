#include "orders/OrderSheet.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "common/GbkText.h"
#include "interaction/DrawingBoard.h"
#include "orders/OrderSheetData.h"
#include "store/Connection.h"

namespace qh::orders {

namespace {

const QString kFont = QStringLiteral("宋体");
constexpr double kTitleSize = 18 * kGridScale;
constexpr double kLabelSize = 11 * kGridScale;
constexpr double kHeaderSize = 14 * kGridScale;
constexpr double kDataSize = 12 * kGridScale;
constexpr double kCellPadding = 3 * kGridScale;

QString monthDay(const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("MM-dd")) : QString(); }
QString hourMinute(const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : QString(); }

QStringList emptyCells() {
    QStringList cells;
    for (int i = 0; i < kSheetColumns; ++i) cells << QString();
    return cells;
}

// The columns both sheets begin with: when ordered, the content, the ordering doctor.
SheetRow orderedRow(const StoredOrder& o) {
    SheetRow r;
    r.sid = o.sid;
    r.cells = emptyCells();
    r.cells[0] = monthDay(o.ordered);
    r.cells[1] = hourMinute(o.ordered);
    r.cells[2] = o.isMarker() ? o.content.trimmed() : sheetContentText(o);
    r.cells[3] = o.orderingDoctor;
    r.marker = o.isMarker();
    return r;
}

SheetRow longTermRow(const StoredOrder& o) {
    SheetRow r = orderedRow(o);
    r.cells[4] = o.executingNurse;
    r.cells[6] = monthDay(o.stopped);
    r.cells[7] = hourMinute(o.stopped);
    r.cells[8] = o.stoppingDoctor;
    r.cells[9] = o.confirmingNurse;
    return r;
}

SheetRow temporaryRow(const StoredOrder& o) {
    SheetRow r = orderedRow(o);
    r.cells[4] = monthDay(o.executed);
    r.cells[5] = hourMinute(o.executed);
    r.cells[6] = o.executingNurse;
    r.cells[7] = o.remark;
    return r;
}

bool isHerbalHeader(const StoredOrder& o) {
    return o.content.trimmed() == kHerbalHeader || o.sjyz.startsWith(QStringLiteral("CYCF"));
}

// The rows of one herbal prescription: its herbs four to a row, then the "上方" line.
QVector<SheetRow> prescriptionRows(const QVector<StoredOrder>& herbs, const StoredOrder* header) {
    QVector<SheetRow> rows;
    for (int i = 0; i < herbs.size(); i += 4) {
        SheetRow r;
        r.sid = herbs[i].sid;
        r.cells = emptyCells();
        for (int k = i; k < std::min<int>(i + 4, herbs.size()); ++k) r.herbs << sheetHerbText(herbs[k]);
        r.cells[2] = r.herbs.join(QStringLiteral("    "));
        if (i == 0) {
            r.cells[0] = monthDay(herbs[i].ordered);
            r.cells[1] = hourMinute(herbs[i].ordered);
            r.cells[3] = herbs[i].orderingDoctor;
            r.cells[4] = monthDay(herbs[i].executed);
            r.cells[5] = hourMinute(herbs[i].executed);
            r.cells[6] = herbs[i].executingNurse;
        }
        rows.append(r);
    }
    if (header) {
        SheetRow r;
        r.sid = header->sid;
        r.cells = emptyCells();
        r.cells[2] = sheetPrescriptionClosing(*header);
        if (herbs.isEmpty()) {
            r.cells[0] = monthDay(header->ordered);
            r.cells[1] = hourMinute(header->ordered);
            r.cells[3] = header->orderingDoctor;
        }
        rows.append(r);
    }
    return rows;
}

// A text cut into lines of at most `bytes` GBK bytes, preferring a break at a blank in
// the second half of a line.
QStringList wrapText(const QString& text, int bytes) {
    QStringList lines;
    QString rest = text;
    while (text::gbkLength(rest) > bytes) {
        QString head = text::cutToBytes(rest, bytes);
        const int blank = head.lastIndexOf(u' ');
        if (blank > head.size() / 2) head = head.left(blank);
        if (head.isEmpty()) head = rest.left(1);
        lines << head.trimmed();
        rest = rest.mid(head.size()).trimmed();
    }
    if (!rest.trimmed().isEmpty() || lines.isEmpty()) lines << rest;
    // Trailing padding is no text of its own.
    for (QString& l : lines) {
        while (l.endsWith(u' ')) l.chop(1);
    }
    return lines;
}

}  // namespace

double textWidth(const QString& text, double size) { return text::gbkLength(text) * size * 2.0 / 3.0; }
double lineHeight(double size) { return size * 4.0 / 3.0; }

QString sheetName(SheetKind kind) {
    return kind == SheetKind::LongTerm ? QStringLiteral("长期医嘱单") : QStringLiteral("临时医嘱单");
}

QString sheetTitle(const QString& hospital, SheetKind kind) { return hospital + sheetName(kind); }

QString sheetPatientLine(const shell::PatientContext& p) {
    const int used = text::gbkLength(p.name + p.department + p.wardRoom + p.bed + p.admissionNumber);
    const QString gap(std::max(0, (50 - used) / 4), u' ');
    return QStringLiteral("姓名：") + p.name + gap + QStringLiteral("科室：") + p.department + gap +
           QStringLiteral("  病室：") + p.wardRoom + gap + QStringLiteral("床号： ") + p.bed + gap +
           QStringLiteral("住院号：") + p.admissionNumber;
}

QString pageLabel(int page) { return QStringLiteral("第 ") + QString::number(page) + QStringLiteral(" 页"); }
QString pageCountLabel(int pages) { return QStringLiteral("共") + QString::number(pages) + QStringLiteral("页"); }

QVector<int> sheetColumnWidths(SheetKind kind) {
    QVector<int> widths(kSheetColumns, 0);
    const QVector<int> shown = kind == SheetKind::LongTerm ? QVector<int>{40, 40, 305, 55, 55, 2, 40, 40, 55, 55}
                                                           : QVector<int>{50, 50, 370, 60, 50, 50, 60};
    for (int i = 0; i < shown.size(); ++i) widths[i] = shown[i];
    return widths;
}

QVector<HeaderCell> sheetHeader(SheetKind kind) {
    const QString content = QStringLiteral("医  嘱  内  容");
    if (kind == SheetKind::LongTerm)
        return {{0, 1, 0, 0, QStringLiteral("开始时间")},     {0, 0, 1, 1, QStringLiteral("月日")},
                {1, 1, 1, 1, QStringLiteral("时间")},         {2, 2, 0, 1, content},
                {3, 3, 0, 1, QStringLiteral("开嘱\r医生")},   {4, 4, 0, 1, QStringLiteral("执行\r护士")},
                {5, 5, 0, 1, QString()},                      {6, 7, 0, 0, QStringLiteral("停嘱日期")},
                {6, 6, 1, 1, QStringLiteral("月日")},         {7, 7, 1, 1, QStringLiteral("时间")},
                {8, 8, 0, 1, QStringLiteral("停嘱\r医生")},   {9, 9, 0, 1, QStringLiteral("执行\r护士")}};
    return {{0, 1, 0, 0, QStringLiteral("开嘱时间")},   {0, 0, 1, 1, QStringLiteral("月日")},
            {1, 1, 1, 1, QStringLiteral("时间")},       {2, 2, 0, 1, content},
            {3, 3, 0, 1, QStringLiteral("开嘱\r医生")}, {4, 5, 0, 0, QStringLiteral("执行时间")},
            {4, 4, 1, 1, QStringLiteral("月日")},       {5, 5, 1, 1, QStringLiteral("时间")},
            {6, 6, 0, 1, QStringLiteral("执行\r护士")}, {7, 7, 0, 1, QStringLiteral("备注")}};
}

QString sheetContentText(const StoredOrder& o) {
    if (o.slip.trimmed() != kRequisition) return o.content;
    const QString marker = o.marker.trimmed();
    if (marker == kSingle || marker.isEmpty()) {
        return text::padToBytes(o.content, 18) + text::padToBytes(numberText(o.quantity) + o.unit, 5) +
               QStringLiteral("  用法：") + o.dose + QStringLiteral("  ") + o.route + QStringLiteral("  ") + o.frequency;
    }
    return text::padToBytes(o.content, 25) + text::padToBytes(o.dose, 8) + groupBox(marker, o.route) + o.route +
           u' ' + o.frequency;
}

QString sheetHerbText(const StoredOrder& herb) {
    QString name = herb.content.trimmed();
    return name + numberText(herb.quantity) + herb.unit;
}

QString sheetPrescriptionClosing(const StoredOrder& header) {
    return QStringLiteral("    上方 ") + numberText(header.quantity) + QStringLiteral(" 付   ") + header.route;
}

OrderSheet OrderSheet::load(const store::DataDirectory& files, const QString& serial, SheetKind kind) {
    QVector<StoredOrder> orders;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (db.isOpen()) {
        const QString sql =
            kind == SheetKind::LongTerm
                ? QStringLiteral("SELECT * FROM VIEW_zyb_yzd where zyid=? and yzlb='长期医嘱'  and (xmlb not like'%材料%' "
                                 "OR xmlb IS NULL) and yzzt='OK' order by sid asc")
                : QStringLiteral("SELECT * FROM VIEW_zyb_yzd where zyid=? and yzlb<>'长期医嘱'  and (xmlb not like'%材料%' "
                                 "OR xmlb IS NULL) and yzzt='OK' order by yzsj,sid asc");
        for (const store::Row& row : db.query(sql, {serial})) orders.append(storedOrderFromRow(row));
    }
    return fromOrders(kind, orders);
}

OrderSheet OrderSheet::fromOrders(SheetKind kind, const QVector<StoredOrder>& all) {
    OrderSheet sheet;
    sheet.kind_ = kind;
    QVector<StoredOrder> orders;
    for (const StoredOrder& o : all)
        if (!o.isVoided()) orders.append(o);
    if (kind == SheetKind::LongTerm) {
        for (const StoredOrder& o : orders) sheet.rows_.append(longTermRow(o));
        return sheet;
    }
    // A herbal prescription is printed whole where its first row (herb or header) comes.
    const auto groupOf = [](const StoredOrder& o) { return isHerbalHeader(o) ? o.yzid : o.sjyz; };
    QHash<QString, QVector<StoredOrder>> herbs;
    QHash<QString, StoredOrder> headers;
    for (const StoredOrder& o : orders) {
        if (o.kind != kindText(OrderKind::Herbal)) continue;
        if (isHerbalHeader(o))
            headers.insert(o.yzid, o);
        else
            herbs[o.sjyz].append(o);
    }
    QSet<QString> done;
    for (const StoredOrder& o : orders) {
        if (o.kind != kindText(OrderKind::Herbal)) {
            sheet.rows_.append(temporaryRow(o));
            continue;
        }
        const QString group = groupOf(o);
        if (done.contains(group)) continue;
        done.insert(group);
        const auto header = headers.constFind(group);
        sheet.rows_ += prescriptionRows(herbs.value(group), header == headers.constEnd() ? nullptr : &*header);
    }
    return sheet;
}

int OrderSheet::pageCount() const { return int((rows_.size() + kOrdersPerPage - 1) / kOrdersPerPage); }

QVector<SheetRow> OrderSheet::pageRows(int page) const {
    if (page < 1) return {};
    return rows_.mid((page - 1) * kOrdersPerPage, kOrdersPerPage);
}

QVector<qint64> OrderSheet::pageStarts() const {
    QVector<qint64> starts;
    for (int i = 0; i < rows_.size(); i += kOrdersPerPage) starts.append(rows_[i].sid);
    return starts;
}

void OrderSheet::drawPage(ui::DrawingBoard& board, int page, const QString& title, const QString& patientLine) const {
    board.setFontName(kFont);
    board.setTextColour(0);
    board.setTransparentText(true);
    board.setPen(1, 0, false);

    // Title centred on 900 over the double rule.
    board.setFont(kTitleSize, true);
    board.text(900 - textWidth(title, kTitleSize) / 2, 200, title);
    board.setPen(2, 0, false);
    board.line(460, 280, 1600, 280);
    board.line(460, 288, 1600, 288);
    board.setFont(kLabelSize, true);
    board.text(110, 380, patientLine);
    board.text(960, 2750, pageLabel(page));

    // The grid: column edges in paper units.
    const QVector<int> widths = sheetColumnWidths(kind_);
    QVector<double> edge{kGridLeft};
    QVector<int> shown;
    for (int c = 0; c < widths.size(); ++c) {
        if (widths[c] <= 0) continue;
        shown << c;
        edge << edge.last() + widths[c] * kGridScale;
    }
    QVector<double> left(kSheetColumns, 0), right(kSheetColumns, 0);
    for (int i = 0; i < shown.size(); ++i) {
        left[shown[i]] = edge[i];
        right[shown[i]] = edge[i + 1];
    }
    const double gridRight = edge.last();
    const double headerRow = kHeaderRowHeight * kGridScale, dataRow = kDataRowHeight * kGridScale;
    const double bodyTop = kGridTop + 2 * headerRow;
    const QVector<SheetRow> rows = pageRows(page);
    const double bottom = bodyTop + std::max<int>(rows.size(), 0) * dataRow;

    board.setPen(1, 0, false);
    // Header cells: frame each cell (shared edges are drawn twice, harmlessly on paper).
    const auto centred = [&](double x1, double x2, double y1, double y2, const QString& text, double size) {
        const QStringList parts = text.split(u'\r');
        const double h = lineHeight(size) * parts.size();
        double y = y1 + (y2 - y1 - h) / 2;
        for (const QString& part : parts) {
            board.text(x1 + (x2 - x1 - textWidth(part, size)) / 2, y, part);
            y += lineHeight(size);
        }
    };
    board.setFont(kHeaderSize, true);
    for (const HeaderCell& h : sheetHeader(kind_)) {
        if (sheetColumnWidths(kind_)[h.first] <= 0) continue;
        const double x1 = left[h.first], x2 = right[h.last];
        const double y1 = kGridTop + h.top * headerRow, y2 = kGridTop + (h.bottom + 1) * headerRow;
        board.rectangle(x1, y1, x2, y2);
        if (!h.text.isEmpty()) centred(x1, x2, y1, y2, h.text, kHeaderSize);
    }
    // Data rows: every row's lines, then its texts.
    for (int i = 0; i < rows.size(); ++i) {
        const SheetRow& row = rows[i];
        const double y1 = bodyTop + i * dataRow, y2 = y1 + dataRow;
        board.setPen(1, 0, false);
        board.line(kGridLeft, y2, gridRight, y2);
        for (int c : shown) board.line(left[c], y1, left[c], y2);
        board.line(gridRight, y1, gridRight, y2);
        for (int c : shown) {
            const QString& text = row.cells[c];
            if (c == row.contentColumn()) {
                const double x1 = left[c] + kCellPadding, x2 = right[c] - kCellPadding;
                if (row.marker) {
                    board.setTextColour(kMarkerColour);
                    board.setFont(kDataSize, true);
                    centred(left[c], right[c], y1, y2, text, kDataSize);
                    board.setTextColour(0);
                    continue;
                }
                board.setFont(kDataSize, false);
                if (!row.herbs.isEmpty()) {
                    const double quarter = (x2 - x1) / 4;
                    for (int k = 0; k < row.herbs.size(); ++k) {
                        const QString& herb = row.herbs[k];
                        const double fit = (quarter - kCellPadding) * 0.92;
                        const double size = std::min(kDataSize, fit * 3.0 / 2.0 / std::max(1, text::gbkLength(herb)));
                        board.setFontSize(size);
                        board.text(x1 + k * quarter, y1 + (dataRow - lineHeight(size)) / 2, herb);
                    }
                    continue;
                }
                const int capacity = int((x2 - x1) / (kDataSize * 2.0 / 3.0));
                QStringList lines = wrapText(text, capacity);
                double size = kDataSize;
                if (lines.size() > 2) {
                    // Too long for two lines at the sheet's size: smaller, still two lines.
                    size = std::max(kDataSize * 0.6, (x2 - x1) * 2 * 1.5 / std::max(1, text::gbkLength(text)) * 0.95);
                    lines = wrapText(text, int((x2 - x1) / (size * 2.0 / 3.0)));
                }
                board.setFontSize(size);
                double y = y1 + (dataRow - lineHeight(size) * std::min<int>(lines.size(), 2)) / 2;
                for (int l = 0; l < lines.size() && l < 2; ++l) {
                    board.text(x1, y, lines[l]);
                    y += lineHeight(size);
                }
                continue;
            }
            if (text.isEmpty()) continue;
            // Narrow cells (dates, times, names) take a smaller size rather than run over.
            const double room = right[c] - left[c] - 2 * kCellPadding;
            const double size = std::min(kDataSize, room * 3.0 / 2.0 / std::max(1, text::gbkLength(text)));
            board.setFont(size, false);
            centred(left[c], right[c], y1, y2, text, size);
        }
    }
    board.setPen(1, 0, false);
    if (rows.isEmpty()) board.line(kGridLeft, bottom, gridRight, bottom);
}

int OrderSheet::print(ui::DrawingBoard& board, int first, int last, const QString& title,
                      const QString& patientLine) const {
    first = std::max(first, 1);
    last = std::min(last, pageCount());
    if (first > last) return 0;
    board.beginJob(kPaperWidth, kPaperHeight);
    for (int p = first; p <= last; ++p) {
        if (p > first) board.newPage();
        drawPage(board, p, title, patientLine);
    }
    board.endJob();
    return last - first + 1;
}

int printOrderSheet(ui::DrawingBoard& board, const store::DataDirectory& files, const shell::PatientContext& patient,
                    SheetKind kind, int page) {
    const OrderSheet sheet = OrderSheet::load(files, patient.serialNumber, kind);
    const int pages = sheet.pageCount();
    if (page < 0 || page > pages) return 0;
    const QString title = sheetTitle(sheetHospitalName(files), kind);
    return sheet.print(board, page > 0 ? page : 1, page > 0 ? page : pages, title, sheetPatientLine(patient));
}

}  // namespace qh::orders
