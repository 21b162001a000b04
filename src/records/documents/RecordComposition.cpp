#include "records/documents/RecordComposition.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include "common/DateText.h"
#include "common/NumericText.h"
#include "records/editor/NamedFields.h"
#include "records/editor/RecordDocument.h"
#include "records/editor/Revisions.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"

namespace qh::records {

namespace {

const QString kFamily = QStringLiteral("住院病历");

bool isFamilyKey(const QString& key) { return key.startsWith(kFamily) || key.endsWith(kFamily); }

QDateTime admissionOf(const shell::PatientContext& p) { return dates::parseDateText(p.admissionDate); }

void collectNamedCells(QTextFrame* frame, const QString& alias, QList<QTextTableCell>* out) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            for (int r = 0; r < table->rows(); ++r)
                for (int c = 0; c < table->columns(); ++c) {
                    QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c) continue;  // a merged cell once
                    if (cell.format().property(AliasProperty).toString() == alias) out->append(cell);
                }
        }
        collectNamedCells(child, alias, out);
    }
}

}  // namespace

QString birthDateText(const QString& stored) {
    const QDateTime parsed = dates::parseDateText(stored);
    return parsed.isValid() ? dates::dayText(parsed.date()) : stored.trimmed();
}

QString familyBirthDateText(const shell::PatientContext& p) {
    if (!p.birthDate.trimmed().isEmpty()) return birthDateText(p.birthDate);
    // Only a whole age in years says something about the year of birth.
    const QString age = p.age.trimmed();
    const QDateTime admitted = admissionOf(p);
    if (!age.endsWith(QStringLiteral("岁")) || !admitted.isValid()) return {};
    const int years = int(text::val(age));
    return QString::number(admitted.date().year() - years) + QStringLiteral("年1月1日");
}

namespace {

// Each particular of the patient under its body placeholder and its named cell's alias.
struct Particular {
    const char* placeholder;
    const char* alias;
    QString value;
};

QVector<Particular> particulars(const shell::PatientContext& p) {
    return {{"{姓名}", "XM", p.name},
            {"{性别}", "XB", p.sex},
            {"{年龄}", "NL", p.age},
            {"{诊断}", "ZD", p.diagnosis},
            {"{床号}", "CH", p.bed + QStringLiteral("床")},
            {"{住址}", "ZZ", p.address},
            {"{科室}", "KS", p.department},
            {"{主诉}", "ZS", p.complaint},
            {"{住院号}", "ZYH", p.admissionNumber},
            {"{主管医生}", "ZGYS", p.doctor},
            {"{病室}", "BS", p.wardRoom},
            {"{医疗证号}", "YLZH", p.insuranceNumber},
            {"{职业}", "ZY", p.occupation},
            {"{出生日期}", "CSRQ", birthDateText(p.birthDate)},
            {"{联系电话}", "LXDH", p.phone},
            {"{身份证号}", "SFZH", p.idCardNumber},
            {"{联系人}", "LXR", p.contact},
            {"{患者关系}", "HZGX", p.contactRelation},
            {"{T}", "T", p.temperature},
            {"{P}", "P", p.pulse},
            {"{R}", "R", p.respiration},
            {"{Bp}", "Bp", p.bloodPressure}};
}

// The day count and the dates, under their placeholder and alias; each name is its own format.
const std::pair<const char*, const char*> kDates[] = {
    {"{天数}", "TS"},          {"{日期5}", "RQ5"},        {"{日期4}", "RQ4"},        {"{日期3}", "RQ3"},
    {"{日期2}", "RQ2"},        {"{日期1}", "RQ1"},        {"{日期}", "RQ"},          {"{入院日期}", "RYRQ"},
    {"{入院日期1}", "RYRQ1"}, {"{入院日期2}", "RYRQ2"}, {"{入院日期3}", "RYRQ3"}, {"{入院日期4}", "RYRQ4"},
    {"{入院日期5}", "RYRQ5"}};

}  // namespace

QHash<QString, QString> placeholderValues(const shell::PatientContext& p, const QDateTime& now) {
    QHash<QString, QString> v;
    for (const Particular& x : particulars(p)) v.insert(QString::fromUtf8(x.placeholder), x.value);
    v.insert(QStringLiteral("{性别}"), p.sex + QStringLiteral("性"));
    const QDateTime admitted = admissionOf(p);
    for (const auto& [placeholder, alias] : kDates) {
        const QString n = QString::fromUtf8(placeholder);
        v.insert(n, dates::datePlaceholderValue(n, admitted, now));
    }
    return v;
}

QHash<QString, QString> cellValues(const CompositionInput& in) {
    const shell::PatientContext& p = in.patient;
    QHash<QString, QString> v;
    for (const Particular& x : particulars(p)) v.insert(QString::fromUtf8(x.alias), x.value);
    const QDateTime admitted = admissionOf(p);
    for (const auto& [placeholder, alias] : kDates) {
        const QString a = QString::fromUtf8(alias);
        v.insert(a, dates::datePlaceholderValue(a, admitted, in.now));
    }
    v.insert(QStringLiteral("CYRQ"), dates::dayText(in.now.date()));
    v.insert(QStringLiteral("LSYZ"), in.hospitalName + QStringLiteral("临时医嘱单"));
    v.insert(QStringLiteral("CQYZ"), in.hospitalName + QStringLiteral("长期医嘱单"));
    if (in.key == QStringLiteral("首页")) v.insert(QStringLiteral("XB"), p.sex == QStringLiteral("女") ? "2" : "1");
    v.insert(QStringLiteral("YYMC"), in.key == QStringLiteral("手术记录") ? in.hospitalName + QStringLiteral("手术记录")
                                                                       : in.hospitalName);
    if (isFamilyKey(in.key)) {
        v.insert(QStringLiteral("姓名"), p.name);
        v.insert(QStringLiteral("年龄"), p.age);
        v.insert(QStringLiteral("性别"), p.sex);
        v.insert(QStringLiteral("诊断"), p.diagnosis);
        v.insert(QStringLiteral("住址"), p.address);
        const QString admittedText = dates::dayHourText(admitted);
        v.insert(QStringLiteral("入院日期"), admittedText);
        v.insert(QStringLiteral("采集时间"), admittedText);
        v.insert(QStringLiteral("CSRQ"), familyBirthDateText(p));
    }
    return v;
}

int replacePlaceholders(QTextDocument* doc, const QHash<QString, QString>& values) {
    static const QRegularExpression braces(QStringLiteral("\\{[^{}\\n]{1,16}\\}"));
    QTextCursor edit(doc);
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found(doc);
    for (;;) {
        found = doc->find(braces, found);
        if (found.isNull()) break;
        const auto it = values.constFind(found.selectedText());
        if (it == values.constEnd()) continue;  // not ours: left as typed
        QTextCursor first(doc);
        first.setPosition(found.selectionStart() + 1);
        // The cursor ends after the inserted value, so the search goes on behind it.
        found.insertText(*it, plainCharFormat(first.charFormat()));
        ++count;
    }
    edit.endEditBlock();
    return count;
}

int setAllNamedText(QTextDocument* doc, const QString& alias, const QString& text) {
    int count = 0;
    QList<QTextTableCell> cells;
    collectNamedCells(doc->rootFrame(), alias, &cells);
    // From the last: filling a cell moves the positions of those after it, not before it.
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        QTextTableCell cell = *it;
        QTextCursor cursor = cell.firstCursorPosition();
        QTextCharFormat format = cursor.blockCharFormat();
        if (cell.lastPosition() > cell.firstPosition()) {
            QTextCursor first = cell.firstCursorPosition();
            first.movePosition(QTextCursor::NextCharacter);
            format = first.charFormat();
        }
        format = plainCharFormat(format);
        format.clearProperty(AliasProperty);
        cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        cursor.insertText(text, format);
        ++count;
    }
    // Inline fields: setNamedText fills the first field outside the cells; a filled field
    // keeps its name, so the search goes on from behind it.
    int from = 0;
    for (;;) {
        int start = 0, end = 0;
        bool found = false;
        for (QTextBlock block = doc->findBlock(from); block.isValid() && !found; block = block.next()) {
            for (auto f = block.begin(); !f.atEnd(); ++f) {
                const QTextFragment fragment = f.fragment();
                if (fragment.position() + fragment.length() <= from) continue;
                const bool named = fragment.charFormat().property(AliasProperty).toString() == alias;
                if (named && !found) {
                    found = true;
                    start = qMax(from, fragment.position());
                    end = fragment.position() + fragment.length();
                } else if (named) {
                    end = fragment.position() + fragment.length();
                } else if (found) {
                    break;
                }
            }
        }
        if (!found) break;
        QTextCursor cursor(doc);
        cursor.setPosition(start + 1 <= end ? start + 1 : start);
        const QTextCharFormat format = plainCharFormat(cursor.charFormat());
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        const QString value = text.isEmpty() ? QStringLiteral(" ") : text;
        cursor.insertText(value, format);
        from = start + int(value.size());
        ++count;
    }
    return count;
}

void startFresh(RecordDocument& doc) {
    doc.setProtection(Protection::None);
    doc.setPrintMark(PrintMark{});
    doc.setTrackChanges(false);
    // What the template's author left pending is the template's text as it reads now.
    acceptAllRevisions(doc.body());
    acceptAllRevisions(doc.header());
    // A preview header of the template page is no header of the patient's.
    doc.header()->clear();
}

void composeRecord(RecordDocument& doc, const QByteArray& commonHeader, const CompositionInput& in) {
    startFresh(doc);
    const PaperGeometry g = paperGeometry(in.paper);
    doc.setPaper(g.width, g.height);
    if (in.header) {
        RecordDocumentPort headerEditor;
        if (headerEditor.setContent(commonHeader)) {
            const HeaderValues values{in.patient.name, in.loginDepartment, in.patient.wardRoom, in.patient.bed,
                                      in.patient.admissionNumber};
            headerEditor.replace(QStringLiteral("{医院名称}"), in.hospitalName, true);
            headerEditor.replace(QStringLiteral("{眉头}"), composeHeaderLine(values, in.headerFlags, in.paper), true);
            doc.swapBodyIntoHeader(headerEditor.document());
        }
    }
    replacePlaceholders(doc.body(), placeholderValues(in.patient, in.now));
    const QHash<QString, QString> cells = cellValues(in);
    for (auto it = cells.constBegin(); it != cells.constEnd(); ++it) setAllNamedText(doc.body(), it.key(), it.value());
}

}  // namespace qh::records
