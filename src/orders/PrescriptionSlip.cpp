#include "orders/PrescriptionSlip.h"

#include <algorithm>

#include "common/GbkText.h"
#include "interaction/DrawingBoard.h"
#include "orders/InfusionCard.h"
#include "orders/OrderSheet.h"
#include "orders/OrderSheetData.h"
#include "store/Connection.h"

namespace qh::orders {

namespace {

QString clockLabel(const QDateTime& t) {
    return t.toString(QStringLiteral("HH")) + QStringLiteral("时") + t.toString(QStringLiteral("mm")) +
           QStringLiteral("分");
}

// The body's area between the rule under the header and the rule above the footer.
constexpr double kBodyTop = 172;
constexpr double kFooterRule = kSlipHeight - 82;
constexpr double kBodySize = 11;
constexpr double kHerbsPerLine = 3;

struct BodyText {
    double x;
    int line;
    QString text;
};

}  // namespace

QVector<PrescriptionEntry> cutWesternPrescriptions(const QVector<StoredOrder>& rows) {
    QVector<PrescriptionEntry> entries;
    int groups = 0;
    QString lastGroup;
    for (const StoredOrder& row : rows) {
        const bool newGroup = entries.isEmpty() || row.sjyz != lastGroup;
        if (entries.isEmpty() || (newGroup && groups == kGroupsPerPrescription)) {
            PrescriptionEntry e;
            e.firstSid = row.sid;
            e.ordered = row.ordered;
            entries.append(e);
            groups = 0;
        }
        if (newGroup) ++groups;
        lastGroup = row.sjyz;
        entries.last().lastSid = row.sid;
        entries.last().sids.append(row.sid);
    }
    for (int i = 0; i < entries.size(); ++i)
        entries[i].label = (i + 1 < entries.size() ? QStringLiteral("西-") : QStringLiteral("西_")) +
                           clockLabel(entries[i].ordered);
    return entries;
}

QVector<PrescriptionEntry> listPrescriptions(const store::DataDirectory& files, const QString& serial,
                                             const QDate& day) {
    const DayBounds b = dayBounds(day);
    QVector<StoredOrder> western;
    QVector<PrescriptionEntry> herbal;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) return {};
        for (const store::Row& row : db.query(
                 QStringLiteral("SELECT sid,sjyz,yzsj FROM VIEW_zyb_yzd where  zyid =? and (xmlb='XMLB001' or "
                                "xmlb='XMLB002') and ((yzlb='长期医嘱' and yzsj<=? and (tzsj>? or tzsj is NULL)) or "
                                "(yzlb='临时医嘱' and yzsj between ? and ?)) and yzzt='OK'  order by yzsj,sid"),
                 {serial, b.now, b.now, b.start, b.end}))
            western.append(storedOrderFromRow(row));
        // One entry per prescription, whatever the times of its herbs.
        for (const store::Row& row : db.query(
                 QStringLiteral("SELECT min(yzsj) as yzsj,sjyz FROM VIEW_zyb_yzd where  zyid =? and xmlb='XMLB003' and "
                                "yzlb='处方用药' and (yzsj between ? and ?) and yzzt='OK'  group by sjyz order by "
                                "min(yzsj),min(sid)"),
                 {serial, b.start, b.end})) {
            PrescriptionEntry e;
            e.herbal = true;
            e.group = row.text(QStringLiteral("sjyz"));
            e.ordered = row.dateTime(QStringLiteral("yzsj"));
            e.label = QStringLiteral("中_") + clockLabel(e.ordered);
            herbal.append(e);
        }
    }
    return cutWesternPrescriptions(western) + herbal;
}

QString slipClosing(const StoredOrder& header) {
    return QStringLiteral("上方") + numberText(header.quantity) + QStringLiteral("剂，") + header.route;
}

PrescriptionSlip PrescriptionSlip::load(const store::DataDirectory& files, const shell::PatientContext& patient,
                                        const PrescriptionEntry& entry) {
    PrescriptionSlip slip;
    slip.patient_ = patient;
    slip.entry_ = entry;
    slip.hospital_ = sheetHospitalName(files);
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return slip;
    if (!entry.herbal) {
        // The rows of a prescription follow the order time, so its first sid need not be
        // its lowest: read the span of its numbers and keep its own rows.
        qint64 low = std::min(entry.firstSid, entry.lastSid), high = std::max(entry.firstSid, entry.lastSid);
        for (qint64 sid : entry.sids) {
            low = std::min(low, sid);
            high = std::max(high, sid);
        }
        for (const store::Row& row :
             db.query(QStringLiteral("SELECT * FROM VIEW_zyb_yzd where  zyid =? and sid<=? and sid>=? and "
                                     "(xmlb='XMLB001' or xmlb='XMLB002') and yzzt='OK' order by sid"),
                      {patient.serialNumber, high, low})) {
            const qint64 sid = row.integer(QStringLiteral("sid"));
            if (!entry.sids.isEmpty() && !entry.sids.contains(sid)) continue;  // rows of other prescriptions
            slip.orders_.append({storedOrderFromRow(row), row.text(QStringLiteral("ps")).trimmed() == u"1"});
        }
        // In the list's order (order time, then number).
        if (!entry.sids.isEmpty())
            std::stable_sort(slip.orders_.begin(), slip.orders_.end(), [&](const SlipOrder& a, const SlipOrder& b) {
                return entry.sids.indexOf(a.order.sid) < entry.sids.indexOf(b.order.sid);
            });
        return slip;
    }
    for (const store::Row& row :
         db.query(QStringLiteral("SELECT * FROM VIEW_zyb_yzd where  sjyz=? and zyid=? and yzzt='OK' order by sid"),
                  {entry.group, patient.serialNumber}))
        slip.orders_.append({storedOrderFromRow(row), false});
    const store::Row header =
        db.query(QStringLiteral("SELECT * FROM VIEW_zyb_yzd where  yzid=? and zyid=?"), {entry.group, patient.serialNumber})
            .first();
    if (header.isValid()) slip.header_ = storedOrderFromRow(header);
    return slip;
}

QStringList PrescriptionSlip::bodyLines() const {
    QStringList lines;
    if (!entry_.herbal) {
        for (const SlipOrder& s : orders_) {
            const StoredOrder& o = s.order;
            lines << o.content + (s.skinTest ? QStringLiteral("   皮试( )") : QString()) + QStringLiteral("    ") +
                         o.spec + QStringLiteral("  × ") + numberText(o.quantity) + u' ' + o.unit;
            const QString marker = o.marker.trimmed();
            if (marker == kSingle || marker.isEmpty() || !o.route.trimmed().isEmpty())
                lines << QStringLiteral("用法: ") + o.dose + QStringLiteral("  ") + o.route + QStringLiteral("  ") +
                             o.frequency;
        }
        return lines;
    }
    QStringList herbs;
    for (const SlipOrder& s : orders_) herbs << s.order.content.trimmed() + u' ' + numberText(s.order.quantity) + s.order.unit;
    for (int i = 0; i < herbs.size(); i += int(kHerbsPerLine)) lines << herbs.mid(i, int(kHerbsPerLine)).join(QStringLiteral("    "));
    if (header_.sid) lines << slipClosing(header_);
    return lines;
}

void PrescriptionSlip::draw(ui::DrawingBoard& board) const {
    board.setFontName(QStringLiteral("宋体"));
    board.setTextColour(0);
    board.setTransparentText(true);
    board.setPen(1, 0, false);
    board.rectangle(5, 5, kSlipWidth - 5, kSlipHeight - 5);

    const QString title = hospital_ + QStringLiteral("处方笺");
    board.setFont(18, true);
    board.text((kSlipWidth - textWidth(title, 18)) / 2, 22, title);

    // The header labels: the outpatient and hospitalisation labels stand right of the age,
    // each on a line of its own, so that no label runs into another or into a value.
    board.setFont(10, false);
    board.text(310, 72, QStringLiteral("门诊号:"));
    board.text(20, 90, QStringLiteral("姓名:          性别:        年龄:"));
    board.text(310, 90, QStringLiteral("住院号:"));
    board.text(20, 105, QStringLiteral("科室:          诊断:"));
    board.text(20, 120, QStringLiteral("住址:"));
    const auto value = [&](double x, double y, double width, const QString& text) {
        const double natural = textWidth(text, 10);
        board.setFontSize(natural > width ? std::max(6.0, 10 * width / natural) : 10);
        board.text(x, y, text);
        board.setFontSize(10);
    };
    value(60, 90, 100, patient_.name);
    value(170, 90, 35, patient_.sex);
    value(240, 90, 66, patient_.age);
    value(360, 90, kSlipWidth - 370, patient_.admissionNumber);
    value(60, 105, 100, patient_.department);
    value(170, 105, kSlipWidth - 180, patient_.diagnosis);
    value(60, 120, kSlipWidth - 70, patient_.address);
    board.line(20, 135, kSlipWidth - 20, 135);
    board.setFont(18, true);
    board.text(30, 140, QStringLiteral("Rp"));

    // The body: lines spaced evenly, closer and smaller when many.
    QVector<BodyText> texts;
    if (!entry_.herbal) {
        int line = 0;
        for (const SlipOrder& s : orders_) {
            const StoredOrder& o = s.order;
            texts.append({60, line, o.content + (s.skinTest ? QStringLiteral("   皮试( )") : QString())});
            texts.append({300, line, o.spec + QStringLiteral("  × ") + numberText(o.quantity) + u' ' + o.unit});
            ++line;
            const QString marker = o.marker.trimmed();
            if (marker == kSingle || marker.isEmpty() || !o.route.trimmed().isEmpty()) {
                texts.append({80, line, QStringLiteral("用法: ") + o.dose + QStringLiteral("  ") + o.route +
                                            QStringLiteral("  ") + o.frequency});
                ++line;
            }
        }
    } else {
        int line = 0;
        for (int i = 0; i < orders_.size(); ++i) {
            const StoredOrder& h = orders_[i].order;
            texts.append({60 + (i % int(kHerbsPerLine)) * 130.0, line,
                          h.content.trimmed() + u' ' + numberText(h.quantity) + h.unit});
            if (i % int(kHerbsPerLine) == int(kHerbsPerLine) - 1 || i + 1 == orders_.size()) ++line;
        }
        if (header_.sid) texts.append({80, line + 1, slipClosing(header_)});
    }
    int lineCount = 0;
    for (const BodyText& t : texts) lineCount = std::max(lineCount, t.line + 1);
    const double pitch = lineCount > 0 ? std::min(22.0, (kFooterRule - 8 - kBodyTop) / lineCount) : 22;
    const double size = std::min(kBodySize, pitch * 0.7);
    board.setFont(size, false);
    for (const BodyText& t : texts) board.text(t.x, kBodyTop + t.line * pitch, t.text);

    // The footer.
    board.setFont(10, false);
    board.line(20, kFooterRule, kSlipWidth - 20, kFooterRule);
    board.setFont(12, false);
    board.text(30, kFooterRule + 12, QStringLiteral("医师:"));
    board.setFont(10, false);
    board.text(260, kFooterRule + 14, QStringLiteral("日期:      年    月   日"));
    board.text(30, kFooterRule + 46, QStringLiteral("发药者:                核对者:"));
}

int PrescriptionSlip::print(ui::DrawingBoard& board) const {
    board.beginJob(kSlipWidth, kSlipHeight);
    draw(board);
    board.endJob();
    return 1;
}

}  // namespace qh::orders
