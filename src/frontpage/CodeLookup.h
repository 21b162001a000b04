#pragma once
// Looking up standard codes for the front page: the typed text (initials or part of the
// name) is searched in the coding database's tables, and a picked match is written into
// the field it was searched for and that field's code field.
#include <QList>
#include <QSize>
#include <QString>
#include <optional>

#include "store/DatabaseFiles.h"

namespace qh::frontpage {

// Where a search was started; each source has its table and its targets.
enum class CodeSource {
    DischargeDiagnosis,  // "ZD": western discharge grid, column 出院诊断 -> 疾病编码
    Operation,           // "SS": operations grid, 手术操作名称 -> 手术操作编码
    ExternalCause,       // "WS": 损伤、中毒的外部原因 -> its code
    Pathology,           // "BL": 病理诊断 -> its code
    OutpatientDiagnosis, // "MZ": 门(急)诊诊断 -> 疾病编码
    TcmDisease,          // "ZD" (TCM grid, column 中医出院诊断) -> 疾病编码
    TcmSyndrome,         // "BM" (TCM grid, column 中医证型) -> 症候编码
    TcmOutpatient,       // "MZ" (门(急)诊中医诊断) -> its code
};

struct CodeMatch {
    QString name;
    QString code;
    QString tag;  // which target the match was searched for
};

// The tag a source's matches carry.
QString tagOf(CodeSource source);
// The statement that searches the source's table for the typed text: initials that begin
// with it or a name that contains it. The text goes in through sqlText with the LIKE
// wildcards % and _ taken literally.
QString searchStatement(CodeSource source, const QString& typed);
// Searches; std::nullopt when the coding database does not open (the list stays as it was).
std::optional<QList<CodeMatch>> searchCodes(const store::DataDirectory& files, CodeSource source, const QString& typed);

// The result list's size for the rows it holds, the header row included: up to five rows
// each 25 high and 323 wide, beyond that 127 high and 340 wide with room for a scroll bar.
QSize resultListSize(int rowsWithHeader);

}  // namespace qh::frontpage
