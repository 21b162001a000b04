#pragma once
// Composing a new record document from a copy of its format template: the copy starts
// fresh (no protection, print mark, pending revisions or preview header of the template),
// gets the uniform page header when the template asks for it, and the patient's data in
// the placeholders of the text and the named cells of its forms.
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include "records/templates/TemplateSettings.h"
#include "shell/PatientContext.h"

class QTextDocument;

namespace qh::records {

class RecordDocument;

struct CompositionInput {
    shell::PatientContext patient;
    QString key;              // the template's 检索 (decides the special cells)
    QString hospitalName;
    QString loginDepartment;  // the header line's 科室
    HeaderFlags headerFlags;
    QString paper = QStringLiteral("A");
    bool header = false;      // the template's 页眉 is "真"
    QDateTime now;
};

// The value of every placeholder ("{姓名}" … "{入院日期5}") for this patient and clock.
QHash<QString, QString> placeholderValues(const shell::PatientContext& patient, const QDateTime& now);
// The value of every form alias for the patient, the key and the hospital (the special
// aliases of 首页, 手术记录 and the 住院病历 family included).
QHash<QString, QString> cellValues(const CompositionInput& input);
// "出生日期" as a record shows it (1950年3月1日); the stored text itself when it is not a date.
QString birthDateText(const QString& stored);
// CSRQ of the 住院病历 family: the stored birth date; without one, the admission year
// minus an age in 岁 followed by "年1月1日"; empty otherwise.
QString familyBirthDateText(const shell::PatientContext& patient);

// Replaces the placeholders of the document in one pass: a value that itself contains a
// placeholder's text is not rewritten. Unknown texts in braces stay. Returns the count.
int replacePlaceholders(QTextDocument* doc, const QHash<QString, QString>& values);
// Sets the text of every cell and inline field carrying the alias; returns how many.
int setAllNamedText(QTextDocument* doc, const QString& alias, const QString& text);

// Strips what a template copy must not carry into a record.
void startFresh(RecordDocument& doc);

// The whole composition on a loaded template copy. commonHeader is the 通用页眉 document
// (placed only when input.header holds).
void composeRecord(RecordDocument& doc, const QByteArray& commonHeader, const CompositionInput& input);

}  // namespace qh::records
