#include "frontpage/CodeLookup.h"

#include "store/Connection.h"
#include "store/SqlText.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

QString tagOf(CodeSource source) {
    switch (source) {
    case CodeSource::DischargeDiagnosis: return u"ZD"_s;
    case CodeSource::Operation: return u"SS"_s;
    case CodeSource::ExternalCause: return u"WS"_s;
    case CodeSource::Pathology: return u"BL"_s;
    case CodeSource::OutpatientDiagnosis: return u"MZ"_s;
    case CodeSource::TcmDisease: return u"ZD"_s;
    case CodeSource::TcmSyndrome: return u"BM"_s;
    case CodeSource::TcmOutpatient: return u"MZ"_s;
    }
    return {};
}

QString searchStatement(CodeSource source, const QString& typed) {
    const QString t = store::sqlLikeText(typed);
    const QString esc = store::kLikeEscape;
    const auto plain = [&](const QString& table, const QString& nameColumn) {
        return u"SELECT * FROM "_s + table + u" where JSM like '"_s + t + u"%'"_s + esc + u" or "_s + nameColumn +
               u" like '%"_s + t + u"%'"_s + esc;
    };
    const auto tcm = [&](const QString& kind) {
        return u"SELECT * FROM ICD_10 where (JSM like '"_s + t + u"%'"_s + esc + u" or ICDMC like '%"_s + t + u"%'"_s + esc +
               u") AND BZ='"_s + kind + u"'"_s;
    };
    switch (source) {
    case CodeSource::DischargeDiagnosis:
    case CodeSource::OutpatientDiagnosis: return plain(u"ICD10"_s, u"ICDMC"_s);
    case CodeSource::Operation: return plain(u"ICD_SS"_s, u"SSMC"_s);
    case CodeSource::ExternalCause: return plain(u"ICD_WS"_s, u"ICDMC"_s);
    case CodeSource::Pathology: return plain(u"ICD_BL"_s, u"ICDMC"_s);
    case CodeSource::TcmDisease:
    case CodeSource::TcmOutpatient: return tcm(u"B"_s);
    case CodeSource::TcmSyndrome: return tcm(u"Z"_s);
    }
    return {};
}

std::optional<QList<CodeMatch>> searchCodes(const store::DataDirectory& files, CodeSource source, const QString& typed) {
    store::Connection db = store::Connection::open(files, store::DbFile::Coding);
    if (!db.isOpen()) return std::nullopt;
    const QString nameColumn = source == CodeSource::Operation ? u"SSMC"_s : u"ICDMC"_s;
    const QString tag = tagOf(source);
    QList<CodeMatch> out;
    for (const store::Row& row : db.query(searchStatement(source, typed)))
        out.append({row.text(nameColumn), row.text(u"BM"_s), tag});
    return out;
}

QSize resultListSize(int rowsWithHeader) {
    if (rowsWithHeader > 5) return {340, 127};
    return {323, rowsWithHeader * 25 + 4};
}

}  // namespace qh::frontpage
