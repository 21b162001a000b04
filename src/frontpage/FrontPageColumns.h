#pragma once
// The columns of BAJK as the front page writes them: which statement writes a column, what
// kind of value it holds and the label the coder sees beside its field (used in refusals).
#include <QList>
#include <QString>
#include <QStringList>

namespace qh::frontpage {

enum class ColumnKind {
    Text,  // the field's trimmed text
    Code,  // the leading code of a drop-down item ("2 已婚" stores "2")
    Date,  // a date and time; empty is NULL
    Cost,  // a number of yuan; empty is NULL
};

struct FrontPageColumn {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    QString label;  // the field's label on the form
};

// The western page's first statement (everything from 医疗付费方式 to the coma time before
// admission), in the order it writes them.
const QList<FrontPageColumn>& westernColumns();
// The western page's second statement: coma times and the ten costs (BCRQ is added there).
const QList<FrontPageColumn>& westernSecondColumns();
// The TCM page's statement.
const QList<FrontPageColumn>& tcmColumns();
// Every column of the row the two pages write (key excluded), each once.
QStringList allColumns();
// A column by name among all three lists; nullptr when unknown.
const FrontPageColumn* findColumn(const QString& name);

// The ten cost columns, in the order of the form.
const QStringList& costColumns();

// The value a drop-down stores for the text it shows: the code of an item made of a
// one-character code, a blank and a text; any other text (a code the list does not know,
// kept as it was loaded) stored as it is, trimmed.
QString storedCode(const QString& shownText);

// The 入院病情 texts of the diagnosis grids.
const QStringList& admissionConditions();

}  // namespace qh::frontpage
