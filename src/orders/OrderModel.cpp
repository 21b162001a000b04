#include "orders/OrderModel.h"

#include <cmath>

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/GbkText.h"
#include "common/Identity.h"

namespace qh::orders {

QString kindText(OrderKind kind) {
    switch (kind) {
    case OrderKind::LongTerm:
        return QStringLiteral("长期医嘱");
    case OrderKind::Temporary:
        return QStringLiteral("临时医嘱");
    case OrderKind::Herbal:
        break;
    }
    return QStringLiteral("处方用药");
}

std::optional<OrderKind> kindFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t == u"长期" || t == u"长期医嘱") return OrderKind::LongTerm;
    if (t == u"临时" || t == u"临时医嘱") return OrderKind::Temporary;
    if (t == u"草药" || t == u"处方用药") return OrderKind::Herbal;
    return std::nullopt;
}

QString dateTimeToText(const QDate& date) { return dates::dateWithCurrentTimeText(date); }

QString dateTimeText(const QDate& date, const QTime& time) {
    if (!date.isValid() || !time.isValid()) return QString();
    return QString::asprintf("%d-%02d-%02d %02d:%02d:%02d", date.year(), date.month(), date.day(), time.hour(),
                             time.minute(), time.second());
}

QString makePrescriptionNumber() { return identity::newPrescriptionNumber(); }

QVector<LineIds> westernIdentifiers(const QStringList& markers, qint64 base) {
    QVector<LineIds> ids;
    ids.reserve(markers.size());
    QString group = QStringLiteral("0");  // a "承组" line with no "新组" above it
    for (int r = 1; r <= markers.size(); ++r) {
        const QString marker = markers[r - 1].trimmed();
        const qint64 yzid = base + r;
        if (marker == kSingle) {
            ids.append({yzid, idText(yzid)});
        } else if (marker == kNewGroup) {
            group = idText(yzid);
            ids.append({yzid, group});
        } else {
            ids.append({yzid, group});
        }
    }
    return ids;
}

HerbalIds herbalIdentifiers(int herbs, qint64 base, const QString& prescriptionNumber) {
    HerbalIds ids;
    ids.header = {base + 1, prescriptionNumber};
    for (int r = 1; r <= herbs; ++r) ids.herbs.append({base + r + 1, idText(base + 1)});
    return ids;
}

QString idText(qint64 id) { return QString::number(id); }

bool isSkinTestItem(const QString& name) {
    return name.contains(u"试敏") || name.contains(u"过敏") || name.contains(u"皮试");
}

QString skinTestContent(const QString& drug, const QString& item) { return drug + item + kSkinTestPlaceholder; }

QString skinTestResultContent(const QString& stored, const QString& result) {
    QString base = stored;
    for (const QString& tail : {kPositive, kNegative, kSkinTestPlaceholder}) {
        if (base.endsWith(tail)) {
            base.chop(tail.size());
            break;
        }
    }
    return base + result;
}

bool isMarkerContent(const QString& content) {
    const QString t = content.trimmed();
    return t == kReorganiseMarker || t == kPostOperativeMarker;
}

QString groupBox(const QString& marker, const QString& route) {
    const QString m = marker.trimmed();
    if (m == kNewGroup) return QStringLiteral("┐");
    if (m == kInGroup) return route.trimmed().isEmpty() ? QStringLiteral("│") : QStringLiteral("┘");
    return QString();
}

QString listContentText(const ContentFields& f) {
    if (f.slip.trimmed() != kRequisition) return f.content;
    QString text = text::padToBytes(f.content, 25);
    if (f.marker.trimmed() == kSingle) {
        const QString amount = f.spec + QStringLiteral("    ") + QString::number(qint64(std::llround(f.quantity))) + f.unit;
        return text + text::padToBytes(amount, 20) + QStringLiteral("  用法：") + f.dose + QStringLiteral("  ") + f.route +
               QStringLiteral("  ") + f.frequency;
    }
    const QString box = f.marker.trimmed() == kNewGroup ? QStringLiteral("┐") : groupBox(kInGroup, f.route);
    return text + text::padToBytes(f.dose, 10) + box + f.route + u' ' + f.frequency;
}

QString numberText(double value) {
    if (!std::isfinite(value)) return QString();
    if (value == std::floor(value) && std::fabs(value) < 1e15) return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

}  // namespace qh::orders
