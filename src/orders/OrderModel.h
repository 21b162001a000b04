#pragma once
// The vocabulary of the order tables (zyb_yzxx and its companions): kinds, group markers,
// fixed texts, the identifiers of a batch, group numbers, order times, skin-test contents,
// the box characters of grouped lines and the content text of a list line. Entry, the
// lists, templates, sheets and cards all take these from here.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "common/NumericText.h"

namespace qh::orders {

enum class OrderKind { LongTerm, Temporary, Herbal };

// yzlb: "长期医嘱", "临时医嘱", "处方用药".
QString kindText(OrderKind kind);
// The kind of a yzlb text or of its short form ("长期", "临时", "草药").
std::optional<OrderKind> kindFromText(const QString& text);

// Group markers (ypcz).
inline const QString kSingle = QStringLiteral("单开");
inline const QString kNewGroup = QStringLiteral("新组");
inline const QString kInGroup = QStringLiteral("承组");
inline const QStringList kMarkers = {kSingle, kNewGroup, kInGroup};

// Fixed column values.
inline const QString kNursingUnit = QStringLiteral("护理单元");  // hldy
inline const QString kValid = QStringLiteral("OK");              // yzzt
inline const QString kVoided = QStringLiteral("Del");
inline const QString kRequisition = QStringLiteral("请领单");    // qllb: drugs, materials
inline const QString kExecutionSlip = QStringLiteral("执行单");  // qllb: everything else
inline const QString kPrescriptionSlip = QStringLiteral("处方单");
inline const QString kHerbalAttribute = QStringLiteral("CY");   // xmsx of herbal lines
inline const QString kHerbalHeader = QStringLiteral("草药处方单");
inline const QString kReorganiseMarker = QStringLiteral("重整医嘱");
inline const QString kPostOperativeMarker = QStringLiteral("术后医嘱");
inline const QString kSkinTestPlaceholder = QStringLiteral("( )");
inline const QString kPositive = QStringLiteral(" (+)");
inline const QString kNegative = QStringLiteral(" (-)");

// Messages of entry.
inline const QString kSaved = QStringLiteral("医嘱保存成功");
inline const QString kSaveFailed = QStringLiteral("医嘱保存失败!请检查医嘱内容。");
inline const QString kChooseHerbalUsage = QStringLiteral("请选择处方用法!");
inline const QString kChooseAllergyDrug = QStringLiteral("操作错误，请正确选择过敏药物！");

// The order time: the date of `date` with the clock's time of day, "2016-03-05 09:07:02".
QString dateTimeToText(const QDate& date);
// The same with the time of day given (one save stamps all its lines with one moment).
QString dateTimeText(const QDate& date, const QTime& time);
// "CYCF" + yyMMddhhmmss of the clock's now + 1000..9999.
QString makePrescriptionNumber();

// Identifiers of one line: yzid (= lrsx) and the group number sjyz.
struct LineIds {
    qint64 yzid = 0;
    QString sjyz;
};
// A western batch numbered from base + 1: "单开" and "新组" lines are their own group,
// "承组" and unmarked lines join the latest "新组" above them in the batch, or group "0".
QVector<LineIds> westernIdentifiers(const QStringList& markers, qint64 base);
// A herbal prescription of n herbs: the header is base + 1 with the prescription number as
// its group; herb r is base + r + 1 in group base + 1.
struct HerbalIds {
    LineIds header;
    QVector<LineIds> herbs;
};
HerbalIds herbalIdentifiers(int herbs, qint64 base, const QString& prescriptionNumber);
// Identifiers are whole numbers written without decimals.
QString idText(qint64 id);

// Skin tests: an item whose name holds "试敏", "过敏" or "皮试".
bool isSkinTestItem(const QString& name);
// The content of a skin-test order: the allergy drug, the item, then "( )".
QString skinTestContent(const QString& drug, const QString& item);
// The content once the result is known: the stored content without a trailing "( )",
// " (+)" or " (-)", then the result.
QString skinTestResultContent(const QString& stored, const QString& result);

// The reorganisation and post-operative marker rows.
bool isMarkerContent(const QString& content);

// The box character in front of the usage of a grouped line on lists and sheets: "┐" on
// the "新组" line, "┘" on the "承组" line that carries the route, "│" on other "承组"
// lines; nothing on a "单开" or unmarked line.
QString groupBox(const QString& marker, const QString& route);

// What a list and a sheet need of a stored line to show its content.
struct ContentFields {
    QString content;    // xmmc
    QString spec;       // xmgg
    double quantity = 0;  // xmsl
    QString unit;       // xmdw
    QString dose;       // yzjl
    QString route;      // yzfs
    QString frequency;  // yzyf
    QString marker;     // ypcz
    QString slip;       // qllb
};
// The content text of a long-term or temporary list line: drug lines (请领单) padded in
// GBK bytes with route, frequency and the group's box character; every other line its
// content as stored.
QString listContentText(const ContentFields& f);

// Strict numbers: text::parseStrictNumber (common/NumericText.h).
using text::StrictNumber;
using text::parseStrictNumber;
// A number as shown in a cell: the shortest form that reads back the same (0.5, 2, 1.25).
QString numberText(double value);

}  // namespace qh::orders
